#!/usr/bin/env python3
"""The loader check against probe programs cross-compiled here with mingw-w64 as the project's
toolchain files build (win32 thread model, static runtime), each made to fail for one reason,
and the same toolchain's plain program, which must pass.

Run: python3 tools/loader-check/tests/test_loader_check.py [-v]
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "..", "loader_check.py")
PROBES = os.path.join(HERE, "probes")
# The subsystem versions the project's programs must carry.
SUBSYSTEM = {"i686": "5.0", "x86_64": "5.2"}
WIN2000, XP, XP64 = "nt50sp4-i386", "nt51sp3-i386", "nt52sp1-amd64"


class LoaderCheckTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="loader-check-")
        cls.built = {}

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def probe(self, arch, source, subsystem=None, extra=()):
        """Builds probes/SOURCE for ARCH (once per set of options) and returns the .exe's path."""
        major, minor = (subsystem or SUBSYSTEM[arch]).split(".")
        command = [f"{arch}-w64-mingw32-g++-win32", "-O1", "-static", os.path.join(PROBES, source),
                   f"-Wl,--major-subsystem-version,{major},--minor-subsystem-version,{minor}", *extra]
        key = tuple(command)
        if key not in self.built:
            name = f"{len(self.built)}-{os.path.splitext(source)[0]}-{arch}.exe"
            output = os.path.join(self.folder.name, name)
            subprocess.run([*command, "-o", output], check=True)
            self.built[key] = output
        return self.built[key]

    def check(self, *arguments):
        run = subprocess.run([sys.executable, CHECK, *arguments], capture_output=True, text=True)
        return run.returncode, run.stdout

    def verdicts(self, exe, *more_arguments):
        """{target: "OK" or [its problems]} for one program, and the exit status."""
        status, output = self.check(*more_arguments, exe)
        found = {}
        for line in output.splitlines():
            match = re.match(r"(OK|FAILED) (\S+) on [^(]+\((\S+)\): (.*)$", line)
            if not match or match.group(2) != exe:
                continue
            verdict, _, target, text = match.groups()
            if verdict == "OK":
                self.assertNotIn(target, found, output)
                found[target] = "OK"
            else:
                self.assertNotEqual(found.get(target), "OK", output)
                found.setdefault(target, []).append(text)
        return found, status

    def test_the_toolchains_own_program_loads_everywhere(self):
        # It holds the name SystemFunction036 (std::string links random_device's code in), yet
        # makes no random_device: the name alone must not fail it.
        i686 = self.probe("i686", "hello.cpp")
        with open(i686, "rb") as f:
            self.assertIn(b"SystemFunction036", f.read())
        self.assertEqual(self.verdicts(i686), ({WIN2000: "OK", XP: "OK"}, 0))
        self.assertEqual(self.verdicts(self.probe("x86_64", "hello.cpp")), ({XP64: "OK"}, 0))
        status, output = self.check(i686, self.probe("x86_64", "hello.cpp"))
        self.assertEqual(status, 0, output)
        self.assertRegex(output, r"OK \S+ on Windows 2000 SP4 \(nt50sp4-i386\): \d+ imports from 2 "
                                 r"DLLs, subsystem 5\.0")

    def test_an_xp_function_fails_windows_2000_only(self):
        found, status = self.verdicts(self.probe("i686", "module_handle_ex.cpp"))
        self.assertEqual(found, {WIN2000: ["kernel32.dll GetModuleHandleExW is not exported by name"],
                                 XP: "OK"})
        self.assertEqual(status, 1)
        self.assertEqual(self.verdicts(self.probe("x86_64", "module_handle_ex.cpp")), ({XP64: "OK"}, 0))

    def test_a_vista_function_fails_every_target(self):
        problem = ["kernel32.dll GetTickCount64 is not exported by name"]
        self.assertEqual(self.verdicts(self.probe("i686", "tick64.cpp")),
                         ({WIN2000: problem, XP: problem}, 1))
        self.assertEqual(self.verdicts(self.probe("x86_64", "tick64.cpp")), ({XP64: problem}, 1))

    def test_a_subsystem_version_above_the_targets_fails(self):
        self.assertEqual(self.verdicts(self.probe("i686", "hello.cpp", "5.1")),
                         ({WIN2000: ["subsystem version 5.1 is above 5.0"], XP: "OK"}, 1))
        self.assertEqual(self.verdicts(self.probe("i686", "hello.cpp", "5.2")),
                         ({WIN2000: ["subsystem version 5.2 is above 5.0"],
                           XP: ["subsystem version 5.2 is above 5.1"]}, 1))
        self.assertEqual(self.verdicts(self.probe("x86_64", "hello.cpp", "6.0")),
                         ({XP64: ["subsystem version 6.0 is above 5.2"]}, 1))

    def test_std_random_device_fails_windows_2000(self):
        found, status = self.verdicts(self.probe("i686", "random_device.cpp"))
        self.assertEqual(found, {WIN2000: ["advapi32.dll SystemFunction036 is not exported by name, "
                                           "and std::random_device looks it up"], XP: "OK"})
        self.assertEqual(status, 1)
        # Unoptimised, the constructor is a function of its own that calls the set-up.
        found, _ = self.verdicts(self.probe("i686", "random_device.cpp", extra=["-O0"]))
        self.assertIn("std::random_device looks it up", found[WIN2000][0])
        self.assertEqual(self.verdicts(self.probe("x86_64", "random_device.cpp")), ({XP64: "OK"}, 0))

    def test_without_symbols_the_name_alone_fails_windows_2000(self):
        found, status = self.verdicts(self.probe("i686", "hello.cpp", extra=["-s"]))
        self.assertEqual(found, {WIN2000: ["advapi32.dll SystemFunction036 is not exported by name, and "
                                           "the program has no symbols to show that it makes no "
                                           "std::random_device"], XP: "OK"})
        self.assertEqual(status, 1)

    def test_a_dll_the_target_does_not_ship_fails(self):
        problem = ["bcrypt.dll is not a DLL it ships"]
        self.assertEqual(self.verdicts(self.probe("i686", "vista_dll.cpp", extra=["-lbcrypt"])),
                         ({WIN2000: problem, XP: problem}, 1))
        self.assertEqual(self.verdicts(self.probe("x86_64", "vista_dll.cpp", extra=["-lbcrypt"])),
                         ({XP64: problem}, 1))

    def test_an_import_by_ordinal_fails(self):
        for arch in ("i686", "x86_64"):
            library = os.path.join(self.folder.name, f"libbyordinal-{arch}.a")
            subprocess.run([f"{arch}-w64-mingw32-dlltool", "-d", os.path.join(PROBES, "by_ordinal.def"),
                            "-l", library], check=True)
            found, status = self.verdicts(self.probe(arch, "by_ordinal.cpp", extra=[library]))
            targets = [WIN2000, XP] if arch == "i686" else [XP64]
            self.assertEqual(found, {t: ["user32.dll imports a function by ordinal"] for t in targets})
            self.assertEqual(status, 1)

    def test_summary_counts_imports_per_dll_and_target(self):
        exe = self.probe("i686", "module_handle_ex.cpp")
        status, output = self.check("--summary", exe)
        self.assertEqual(status, 1)
        self.assertIn("| program | DLL | imports | nt50sp4-i386 | nt51sp3-i386 | nt52sp1-amd64 |", output)
        rows = {m.group(1): (int(m.group(2)), int(m.group(3)), int(m.group(4))) for m in re.finditer(
            r"^\| " + re.escape(exe) + r" \| (\S+) \| (\d+) \| (\d+) \| (\d+) \|  \|$", output, re.M)}
        self.assertEqual(set(rows), {"kernel32.dll", "msvcrt.dll"}, output)
        imports, on_2000, on_xp = rows["kernel32.dll"]
        self.assertEqual((on_2000, on_xp), (imports - 1, imports))  # GetModuleHandleExW
        self.assertEqual(rows["msvcrt.dll"][1:], (rows["msvcrt.dll"][0],) * 2)

    def test_what_is_not_a_windows_program_fails(self):
        text = os.path.join(self.folder.name, "not-a-program.exe")
        with open(text, "w") as f:
            f.write("MZ but nothing more\n")
        status, output = self.check(self.probe("x86_64", "hello.cpp"), text)
        self.assertEqual(status, 1)
        self.assertRegex(output, r"(?m)^FAILED " + re.escape(text) + ": cannot be read: ")
        elf = self.check(sys.executable)
        self.assertEqual(elf[0], 1)
        self.assertIn("FAILED " + sys.executable + ": ", elf[1])
        self.assertEqual(self.check()[0], 2)
        self.assertEqual(self.check("--names", text)[0], 2)


if __name__ == "__main__":
    unittest.main()
