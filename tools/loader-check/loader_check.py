#!/usr/bin/env python3
"""Tells whether the Windows versions a program is meant for would load it.

Wine starts programs that an old Windows loader refuses, so this reads what that loader reads,
the PE header and the import tables, through mingw-w64's `objdump -p`, and holds them against
the export lists in exports/ (README.md there says where they come from):

  i386 programs    Windows 2000 SP4 (nt50sp4-i386) and Windows XP SP3 (nt51sp3-i386)
  x86-64 programs  Windows XP x64 / Server 2003 SP1 (nt52sp1-amd64)

A program fails a target, one line per problem, on
  - a subsystem version above the target's own (the loader calls the file "not a valid Win32
    application");
  - a DLL the target does not ship, or a function its DLL does not export by name;
  - a function imported by ordinal: the lists hold names, and ordinals move between versions;
  - a delay-load directory, whose imports objdump does not show;
  - a std::random_device on a target without advapi32!SystemFunction036 (below).

Usage: loader_check.py [--summary] PROGRAM.exe...
  --summary  also print the imports per DLL and target as a table.
Exit status: 0 every program loads on its targets, 1 one does not or cannot be read, 2 usage.
"""

import functools
import os
import re
import subprocess
import sys
from collections import namedtuple

EXPORTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "exports")
# Reads both pei-i386 and pei-x86-64.
OBJDUMP = os.environ.get("LOADER_CHECK_OBJDUMP", "x86_64-w64-mingw32-objdump")

Target = namedtuple("Target", "name title subsystem")
TARGETS = {
    "pei-i386": [Target("nt50sp4-i386", "Windows 2000 SP4", (5, 0)),
                 Target("nt51sp3-i386", "Windows XP SP3", (5, 1))],
    "pei-x86-64": [Target("nt52sp1-amd64", "Windows XP x64", (5, 2))],
}
# On a CPU without RDRAND, std::random_device draws through rand_s, which msvcrt.dll lacks before
# Vista; mingw-w64's stand-in then looks up advapi32!SystemFunction036 by name. libstdc++ links
# that code into every program that uses std::string, so the name in the file proves nothing:
# what counts is a call to random_device's set-up from outside the library's own code.
RANDOM_LOOKUP = ("advapi32.dll", "SystemFunction036")
RANDOM_SETUP = re.compile(r"\s(?:call|jmp)\s+[0-9a-f]+ <std::random_device::_M_init\(.*\)>$")

Program = namedtuple("Program", "path format subsystem imports delay_load")
ORDINAL = None  # an imported function's name when it is imported by ordinal


class Unreadable(Exception):
    pass


def read_program(path):
    """The PE header fields and imports (DLL -> [function name or ORDINAL]) of one file."""
    run = subprocess.run([OBJDUMP, "-p", path], capture_output=True, text=True)
    if run.returncode != 0:
        raise Unreadable(run.stderr.strip() or f"{OBJDUMP} failed ({run.returncode})")
    text = run.stdout
    file_format = re.search(r"file format (\S+)", text)
    major = re.search(r"^MajorSubsystemVersion\s+(\d+)", text, re.M)
    minor = re.search(r"^MinorSubsystemVersion\s+(\d+)", text, re.M)
    if not (file_format and major and minor):
        raise Unreadable("objdump shows no PE optional header")
    delay = re.search(r"^Entry d [0-9a-f]+ ([0-9a-f]+) Delay Import Directory", text, re.M)
    imports, dll = {}, None
    for line in text.splitlines():
        if line.startswith("\tDLL Name: "):
            dll = line[len("\tDLL Name: "):].strip().lower()
            imports.setdefault(dll, [])
        elif not line.strip():
            dll = None
        elif dll is not None and not line.startswith("\tvma:"):
            # "\t<vma>\t <hint> <name> [bound-to]", or "\t<vma>\t <ordinal>  <none>"
            fields = line.split()
            if len(fields) < 3:
                raise Unreadable(f"unexpected import line: {line.strip()}")
            imports[dll].append(ORDINAL if fields[2] == "<none>" else fields[2])
    return Program(path, file_format.group(1), (int(major.group(1)), int(minor.group(1))), imports,
                   bool(delay and int(delay.group(1), 16)))


@functools.lru_cache(maxsize=None)
def makes_random_device(path):
    """Whether code outside std::random_device's own members sets one up; None: no symbols to tell."""
    with open(path, "rb") as f:
        if RANDOM_LOOKUP[1].encode() not in f.read():
            return False
    run = subprocess.run([OBJDUMP, "-d", "-C", "--no-show-raw-insn", path], capture_output=True,
                         text=True)
    if run.returncode != 0:
        raise Unreadable(run.stderr.strip() or f"{OBJDUMP} -d failed ({run.returncode})")
    function, named = "", False
    for line in run.stdout.splitlines():
        header = re.match(r"[0-9a-f]+ <(.*)>:$", line)
        if header:
            function = header.group(1)
            named = named or function.startswith("std::random_device::_M_init")
        elif RANDOM_SETUP.search(line) and not function.startswith("std::random_device::_M_"):
            return True
    return False if named else None


@functools.lru_cache(maxsize=None)
def load_exports(target):
    """(dlls the target ships, {(dll, function) exported by name})"""
    with open(os.path.join(EXPORTS, target.name + "-dlls.txt")) as f:
        dlls = {line.strip() for line in f if line.strip()}
    with open(os.path.join(EXPORTS, target.name + ".txt")) as f:
        names = {tuple(line.split()) for line in f if line.strip()}
    return dlls, names


def problems(program, target, exports):
    dlls, names = exports
    found = []
    if program.subsystem > target.subsystem:
        found.append("subsystem version %d.%d is above %d.%d" % (program.subsystem + target.subsystem))
    if program.delay_load:
        found.append("it has a delay-load directory, whose imports this check cannot see")
    for dll, functions in program.imports.items():
        if dll not in dlls:
            found.append(f"{dll} is not a DLL it ships")
            continue
        for function in functions:
            if function is ORDINAL:
                found.append(f"{dll} imports a function by ordinal")
            elif (dll, function) not in names:
                found.append(f"{dll} {function} is not exported by name")
    if RANDOM_LOOKUP not in names:
        random_device = makes_random_device(program.path)
        missing = "%s %s is not exported by name" % RANDOM_LOOKUP
        if random_device:
            found.append(missing + ", and std::random_device looks it up")
        elif random_device is None:
            found.append(missing + ", and the program has no symbols to show that it makes no "
                         "std::random_device")
    return found


def summary(checked):
    """Markdown table: per program and DLL, its imports and how many of them each target exports."""
    all_targets = [t for ts in TARGETS.values() for t in ts]
    print("| program | DLL | imports | " + " | ".join(t.name for t in all_targets) + " |")
    print("|---|---|---|" + "---|" * len(all_targets))
    for program, exports in checked:
        for dll, functions in sorted(program.imports.items()):
            cells = []
            for target in all_targets:
                if target not in exports:  # not one of this program's targets
                    cells.append("")
                    continue
                dlls, names = exports[target]
                found = sum(1 for f in functions if f is not ORDINAL and (dll, f) in names)
                cells.append(str(found) if dll in dlls else "no DLL")
            print(f"| {program.path} | {dll} | {len(functions)} | " + " | ".join(cells) + " |")


def main(argv):
    want_summary = "--summary" in argv
    paths = [a for a in argv if a != "--summary"]
    if not paths or any(p.startswith("-") for p in paths):
        print("usage: loader_check.py [--summary] PROGRAM.exe...", file=sys.stderr)
        return 2
    checked, failed = [], False
    for path in paths:
        try:
            program = read_program(path)
            targets = TARGETS.get(program.format)
            if targets is None:
                raise Unreadable(f"{program.format} is neither pei-i386 nor pei-x86-64")
            exports = {target: load_exports(target) for target in targets}
            verdicts = [(target, problems(program, target, exports[target])) for target in targets]
        except (Unreadable, OSError) as error:
            print(f"FAILED {path}: cannot be read: {error}")
            failed = True
            continue
        for target, found in verdicts:
            where = f"{path} on {target.title} ({target.name})"
            for problem in found:
                print(f"FAILED {where}: {problem}")
            if not found:
                count = sum(len(f) for f in program.imports.values())
                print(f"OK {where}: {count} imports from {len(program.imports)} DLLs, "
                      "subsystem %d.%d" % program.subsystem)
            failed = failed or bool(found)
        checked.append((program, exports))
    if want_summary:
        summary(checked)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
