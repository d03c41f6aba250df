// The XP check on programs made to fail it, on XP-safe builds, and on hand-built images for the
// cases a linker does not readily make.

#include "xp_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "pe_builder.h"

using namespace xpcheck;
using namespace xpcheck::testing;

namespace {

const std::filesystem::path kLists = XP_CHECK_LISTS_DIR;

const XpExports& listsFor(const XpTarget& target) {
    static const XpExports i386 = XpExports::load(kLists / "nt51-i386.txt", kLists / "dlls-not-on-xp.txt");
    static const XpExports amd64 = XpExports::load(kLists / "nt52-amd64.txt", kLists / "dlls-not-on-xp.txt");
    return target.exportList == "nt51-i386.txt" ? i386 : amd64;
}

std::vector<std::string> problemsOf(const PeImage& image) {
    const auto target = xpTargetFor(image);
    if (!target) return {"no target"};
    return findProblems(image, *target, listsFor(*target));
}

std::vector<std::string> problemsOfProbe(const std::string& name) {
    return problemsOf(readPeFile(std::string(XP_CHECK_PROBES_DIR) + "/" + name));
}

const std::string kX86 = "Windows XP SP3 (i386)";
const std::string kX64 = "Windows XP x64";

}  // namespace

TEST(XpCheck, RefusesAVistaFunction) {
    EXPECT_EQ(problemsOfProbe("tick64-x86_64.exe"),
              std::vector<std::string>{"KERNEL32.dll GetTickCount64 is not exported by " + kX64});
    EXPECT_EQ(problemsOfProbe("tick64-i686.exe"),
              std::vector<std::string>{"KERNEL32.dll GetTickCount64 is not exported by " + kX86});
    // The posix thread model brings GetTickCount64 in through winpthreads, unasked.
    const auto posix = problemsOfProbe("posix-x86_64.exe");
    EXPECT_NE(std::find(posix.begin(), posix.end(), "KERNEL32.dll GetTickCount64 is not exported by " + kX64),
              posix.end())
        << ::testing::PrintToString(posix);
}

TEST(XpCheck, RefusesADllThatXpDoesNotShip) {
    EXPECT_EQ(problemsOfProbe("bcrypt-x86_64.exe"),
              std::vector<std::string>{"bcrypt.dll does not ship with Windows XP (first in NT 0x600)"});

    FakeImage fake;
    fake.imports = {{.dll = "KERNEL32.DLL", .functions = {"GetTickCount"}},
                    {.dll = "quillmere-helper.dll", .functions = {"Help"}},
                    {.dll = "DWMAPI.dll", .functions = {"DwmFlush"}, .delayLoaded = true}};
    EXPECT_EQ(problemsOf(readPeImage(buildImage(fake))),
              (std::vector<std::string>{
                  "quillmere-helper.dll is not among the DLLs known to ship with " + kX64,
                  "delay-loaded DWMAPI.dll does not ship with Windows XP (first in NT 0x600)"}));
}

TEST(XpCheck, RefusesASubsystemVersionAboveWhatXpStarts) {
    EXPECT_EQ(
        problemsOfProbe("subsystem60-x86_64.exe"),
        std::vector<std::string>{"subsystem version 6.0 is above 5.2, the highest that " + kX64 + " starts"});
    // 5.2 is right for XP x64, too high for 32-bit XP.
    EXPECT_EQ(
        problemsOfProbe("subsystem52-i686.exe"),
        std::vector<std::string>{"subsystem version 5.2 is above 5.1, the highest that " + kX86 + " starts"});
}

TEST(XpCheck, RefusesImportsByOrdinalAndVistaFunctionsWhenDelayLoaded) {
    EXPECT_EQ(problemsOfProbe("ordinal-x86_64.exe"),
              std::vector<std::string>{
                  "user32.dll ordinal #2000 cannot be checked: imports by ordinal are not allowed"});
    FakeImage fake;
    fake.pe32Plus = false;
    fake.subsystemMinor = 1;
    fake.imports = {{.dll = "kernel32.dll", .functions = {"GetTickCount64"}, .delayLoaded = true}};
    EXPECT_EQ(
        problemsOf(readPeImage(buildImage(fake))),
        std::vector<std::string>{"delay-loaded kernel32.dll GetTickCount64 is not exported by " + kX86});
}

TEST(XpCheck, PassesProgramsBuiltTheWayTheToolchainFilesBuild) {
    EXPECT_EQ(problemsOfProbe("hello-x86_64.exe"), std::vector<std::string>{});
    EXPECT_EQ(problemsOfProbe("hello-i686.exe"), std::vector<std::string>{});
}

TEST(XpExportLists, AMalformedLineIsAnErrorNamingFileAndLine) {
    const std::filesystem::path dir = ::testing::TempDir();
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    };
    const auto good = write("good.txt", "# comment\r\nkernel32.dll GetTickCount\r\n");
    const auto bad = write("bad.txt", "kernel32.dll GetTickCount\nkernel32.dll\n");
    const XpExports lists = XpExports::load(good, good);
    EXPECT_TRUE(lists.exports("KERNEL32.dll", "GetTickCount"));
    EXPECT_FALSE(lists.exports("kernel32.dll", "gettickcount")) << "function names keep their case";
    try {
        XpExports::load(bad, good);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("bad.txt:2:"), std::string::npos) << error.what();
    }
    EXPECT_THROW(XpExports::load(dir / "missing.txt", good), std::runtime_error);
}
