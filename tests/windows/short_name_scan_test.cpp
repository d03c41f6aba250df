// The scanner's name rule on the file system's real 8.3 aliases: each file's short name is the
// one GetShortPathNameW reports, and long names whose alias matches are found by the alias.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>

#include "file_system_accessor.h"
#include "package_fixture.h"
#include "package_scanner.h"
#include "platform.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

// The last part of what GetShortPathNameW makes of the file's full path.
std::string reportedShortName(const fs::path& file) {
    const std::wstring full = file.wstring();
    std::wstring shortPath(32768, L'\0');
    const DWORD n = ::GetShortPathNameW(full.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (n == 0 || n >= shortPath.size()) return "";
    shortPath.resize(n);
    return platform::fromPath(fs::path(shortPath).filename());
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}
bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A package tree under a folder with a long name of its own, so that the folder's alias shows
// in GetShortPathNameW's answer too.
struct ShortNameTree {
    TempDir dir;
    fs::path root = dir.path() / "Driver Files Long Folder";
    std::map<std::string, fs::path> files;  // by a label of the test's

    ShortNameTree() {
        add("SETUP.EXE", "upper/SETUP.EXE", 150000);
        add("Setup.EXE", "mixed/Setup.EXE", 150000);
        add("install.ini", "install.ini", 2000);
        add("install settings.ini", "install settings.ini", 2000);
        add("C2_12345.INF", "inf/C2_12345.INF", 10);
        add("C2longname_driver.inf", "inf/C2longname_driver.inf", 10);
        add("Cx_long_name.Inf", "cx/Cx_long_name.Inf", 10);
    }
    void add(const std::string& label, const std::string& relative, std::size_t size) {
        const fs::path file = root / fs::path(relative).make_preferred();
        fs::create_directories(file.parent_path());
        writeBytes(file, filler(size));
        files[label] = file;
    }
    std::string pathOf(const std::string& label) const { return files.at(label).string(); }
};

bool found(const RecordingHost& host, const std::string& path) {
    return std::find(host.list1.begin(), host.list1.end(), path) != host.list1.end();
}

}  // namespace

TEST(WindowsShortNames, TheAccessorReportsTheSystemsAlias) {
    ShortNameTree tree;
    FileSystemAccessor fso;
    for (const auto& [label, file] : tree.files) {
        const auto listed = fso.listFiles(file.parent_path().string());
        const auto it = std::find_if(listed.begin(), listed.end(),
                                     [&](const ScannedFile& f) { return f.path == file.string(); });
        ASSERT_NE(it, listed.end()) << label;
        EXPECT_EQ(it->name, label);
        EXPECT_EQ(it->shortName, reportedShortName(file)) << label;
    }
}

TEST(WindowsShortNames, NamesThatAreValid83NamesAreTheirOwnAlias) {
    ShortNameTree tree;
    for (const char* label : {"SETUP.EXE", "Setup.EXE", "install.ini", "C2_12345.INF"}) {
        EXPECT_EQ(reportedShortName(tree.files.at(label)), label);
    }
}

TEST(WindowsShortNames, TheScannerFindsWhatTheNameRuleSaysForTheReportedAliases) {
    ShortNameTree tree;
    FileSystemAccessor fso;
    RecordingHost host(tree.root.string());
    scanPackageFolder(fso, host, tree.root.string());

    // Found by their own names, which are valid 8.3 names and so their own aliases.
    EXPECT_TRUE(found(host, tree.pathOf("SETUP.EXE")));
    EXPECT_TRUE(found(host, tree.pathOf("install.ini")));
    EXPECT_TRUE(found(host, tree.pathOf("C2_12345.INF")));
    // Setup.EXE counts only when its alias is exactly "setup.exe".
    EXPECT_EQ(found(host, tree.pathOf("Setup.EXE")),
              reportedShortName(tree.files.at("Setup.EXE")) == "setup.exe");

    const std::string longC2 = reportedShortName(tree.files.at("C2longname_driver.inf"));
    const std::string longCx = reportedShortName(tree.files.at("Cx_long_name.Inf"));
    const std::string longIni = reportedShortName(tree.files.at("install settings.ini"));
    if (longC2 == "C2longname_driver.inf") GTEST_SKIP() << "this volume keeps no 8.3 aliases";
    EXPECT_TRUE(startsWith(longC2, "C2") && endsWith(longC2, "INF")) << longC2;
    EXPECT_TRUE(startsWith(longCx, "CX") && endsWith(longCx, "INF")) << longCx;
    EXPECT_NE(longIni, "install.ini");
    EXPECT_TRUE(found(host, tree.pathOf("C2longname_driver.inf")));
    // "Cx" and "Inf" match no pair: only the upper-case alias makes this file a CX INF.
    EXPECT_TRUE(found(host, tree.pathOf("Cx_long_name.Inf")));
    EXPECT_EQ(host.slotText(FoundSlot::Label4), tree.pathOf("Cx_long_name.Inf"));
    EXPECT_FALSE(found(host, tree.pathOf("install settings.ini")));
    EXPECT_EQ(host.slotText(FoundSlot::Label2), tree.pathOf("install.ini"));
}
