// quillmere-mod --check: what it reports about real and made-up packages, that its exit status
// says what a run would do, that the JSON says what the text says, and that it leaves every
// file, folder and modification time as it was.

#include <gtest/gtest.h>

#include <algorithm>

#include "cli_runner.h"
#include "ordinary_user.h"
#include "package_fixture.h"
#include "package_references.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The referenced sections an INF lacks, found without the editor: a line that starts with
// "[name]", letter case aside.
std::vector<std::string> lacking(const std::string& inf) {
    const std::string text = "\n" + lower(inf);
    std::vector<std::string> missing;
    for (const std::string_view name : kReferencedSections) {
        if (text.find("\n[" + lower(std::string(name)) + "]") == std::string::npos)
            missing.emplace_back(name);
    }
    return missing;
}

// The names the text report lists under a heading of the given INF's section part.
std::vector<std::string> listed(const std::string& report, const std::string& inf,
                                const std::string& heading) {
    const std::size_t part = report.find("Sections of the " + inf);
    std::size_t at = report.find("    " + heading, part);
    std::vector<std::string> names;
    if (part == std::string::npos || at == std::string::npos) return {"<no such list>"};
    at = report.find('\n', at) + 1;
    while (report.compare(at, 6, "      ") == 0) {
        const std::size_t end = report.find('\n', at);
        names.push_back(report.substr(at + 6, end - at - 6));
        at = end + 1;
    }
    return names;
}

// Lines "key: value" drawn from the JSON by Python's own parser, or nothing without python3.
std::optional<std::string> viaPython(const std::string& json, const std::string& program) {
    if (!haveProgram("python3")) return std::nullopt;
    TempDir dir;
    writeBytes(dir.path() / "report.json", json);
    writeBytes(dir.path() / "read.py",
               "import json, sys\nd = json.load(open(sys.argv[1], encoding='utf-8'))\n" + program);
    const std::string command = "python3 '" + (dir.path() / "read.py").string() + "' '" +
                                (dir.path() / "report.json").string() + "' > '" +
                                (dir.path() / "out").string() + "'";
    if (std::system(command.c_str()) != 0) return "python3 failed";
    return readBytes(dir.path() / "out");
}

// An INF text with a header for each of the referenced sections, after the sample's own text.
std::string withAllReferencedSections(std::string inf) {
    inf += "\r\n";
    for (const std::string_view name : kReferencedSections) inf += "[" + std::string(name) + "]\r\nx=1\r\n";
    return inf;
}

}  // namespace

TEST(Check, SampleLacksSectionsNamedOneByOneAndTheJsonSaysTheSame) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    const auto before = treeSnapshot(tree.path());
    const ToolResult text = runTool({"--check", tree.str()});
    EXPECT_EQ(text.status, cli::kLacksSections) << text.err;
    const auto expectedMissing = lacking(readBytes(p.c2Inf));
    ASSERT_FALSE(expectedMissing.empty());
    EXPECT_EQ(listed(text.out, "C2 INF", "missing"), expectedMissing);
    EXPECT_EQ(listed(text.out, "CX INF", "missing"), lacking(readBytes(p.cxInf)));
    EXPECT_NE(text.out.find("the C2 INF lacks " + std::to_string(expectedMissing.size()) + " sections"),
              std::string::npos);
    EXPECT_NE(text.out.find("  install.ini (Label2): " + p.installIni.string() + "\n"), std::string::npos);
    EXPECT_NE(text.out.find("    already modified: no\n"), std::string::npos);
    EXPECT_NE(text.out.find("msdv.inf: not in the package"), std::string::npos);
    const auto replaced = listed(text.out, "C2 INF", "already there");
    const auto appended = listed(text.out, "C2 INF", "not there");
    EXPECT_EQ(replaced.size() + appended.size(), 41u);

    const ToolResult json = runTool({"--check", "--json", tree.str()});
    EXPECT_EQ(json.status, cli::kLacksSections);
    const auto fromJson =
        viaPython(json.out,
                  "for inf in d['inf_files']:\n"
                  "    print(inf['kind'] + ': ' + ','.join(inf['missing_sections']))\n"
                  "    print(inf['kind'] + ' replaced: ' + ','.join(inf['replaced_sections']))\n"
                  "print('verdict: ' + d['verdict'])\n"
                  "print('modified: ' + str(d['c2_inf_modified']))\n"
                  "print('slot: ' + [s for s in d['slots'] if s['slot'] == 'Label2'][0]['path'])\n");
    if (!fromJson) GTEST_SKIP() << "python3 is not installed: the JSON was not parsed";
    const auto comma = [](const std::vector<std::string>& names) {
        std::string out;
        for (const auto& name : names) out += (out.empty() ? "" : ",") + name;
        return out;
    };
    EXPECT_EQ(*fromJson, "C2 INF: " + comma(expectedMissing) + "\nC2 INF replaced: " + comma(replaced) +
                             "\nCX INF: " + comma(listed(text.out, "CX INF", "missing")) +
                             "\nCX INF replaced: " + comma(listed(text.out, "CX INF", "already there")) +
                             "\nverdict: lacks-sections\nmodified: False\nslot: " + p.installIni.string() +
                             "\n");
    EXPECT_EQ(treeSnapshot(tree.path()), before);
}

TEST(Check, APackageWithEveryReferencedSectionIsReadyAndOneWithoutSomeNamesThem) {
    TempDir tree;
    const std::string c2 = withAllReferencedSections(testData("sample-package/C2_59642.INF"));
    std::string cx = withAllReferencedSections(testData("sample-package/CX_59642.INF"));
    writePackage(tree.path(), c2, cx);
    const ToolResult ready = runTool({"--check", tree.str()});
    EXPECT_EQ(ready.status, cli::kModded) << ready.out;
    EXPECT_NE(ready.out.find("\nReady: a run would mod this package.\n"), std::string::npos);
    EXPECT_EQ(listed(ready.out, "C2 INF", "missing"), std::vector<std::string>{});

    // Three sections gone from the CX INF only, one of them spelt in another letter case in the C2 INF.
    for (const char* gone : {"[DVCR.UpdateIni]", "[Ati2evxx_EventLog_Inst]", "[ati2mtag_RemoveService]"})
        cx.replace(cx.find(gone), std::string(gone).size(), "[Gone]");
    TempDir other;
    std::string c2Lower = c2;
    c2Lower.replace(c2Lower.find("[DVCR.UpdateIni]"), 16, "[dvcr.updateini]");
    writePackage(other.path(), c2Lower, cx);
    const ToolResult lacks = runTool({"--check", other.str()});
    EXPECT_EQ(lacks.status, cli::kLacksSections);
    EXPECT_EQ(listed(lacks.out, "C2 INF", "missing"), std::vector<std::string>{});
    EXPECT_EQ(
        listed(lacks.out, "CX INF", "missing"),
        (std::vector<std::string>{"DVCR.UpdateIni", "ati2mtag_RemoveService", "Ati2evxx_EventLog_Inst"}));
    EXPECT_NE(lacks.out.find("but the CX INF lacks 3 sections that"), std::string::npos);
}

TEST(Check, TheRealInfOf2010AsBothInfFiles) {
    TempDir tree;
    const std::string inf = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    writePackage(tree.path(), inf, inf);
    const ToolResult check = runTool({"--check", tree.str()});
    const auto missing = lacking(inf);
    EXPECT_EQ(check.status, missing.empty() ? cli::kModded : cli::kLacksSections) << check.out;
    EXPECT_EQ(listed(check.out, "C2 INF", "missing"), missing);
    EXPECT_EQ(listed(check.out, "CX INF", "missing"), missing);
    // It has no plain [ATI.Mfg], so the run appends it, and it is not modified.
    const auto appended = listed(check.out, "C2 INF", "not there");
    EXPECT_NE(std::find(appended.begin(), appended.end(), "ATI.Mfg"), appended.end());
    EXPECT_NE(check.out.find("already modified: no"), std::string::npos);
    EXPECT_NE(check.out.find("217694 bytes, 8-bit, line ends CR LF\n"), std::string::npos);
}

TEST(Check, AModdedPackageOrOneWithoutInstallIniWouldBeRefused) {
    TempDir tree;
    writeSamplePackage(tree.path());
    ASSERT_EQ(runTool({"-n", "-q", tree.str()}).status, cli::kModded);
    const ToolResult modded = runTool({"--check", tree.str()});
    EXPECT_EQ(modded.status, cli::kRefused);
    EXPECT_NE(modded.out.find("already modified: yes"), std::string::npos);
    EXPECT_NE(modded.out.find("\nA run would refuse: This set is already modified\n"), std::string::npos);
    // Its sections are all there now.
    EXPECT_EQ(listed(modded.out, "C2 INF", "already there").size(), 41u);

    TempDir empty;
    empty.write("Driver/install.ini", "too small");
    const ToolResult none = runTool({"--check", empty.str()});
    EXPECT_EQ(none.status, cli::kRefused);
    EXPECT_NE(none.out.find("  install.ini (Label2): not found\n"), std::string::npos);
    EXPECT_NE(none.out.find("install.ini (9 bytes): lost: too small (must be over 1000 bytes)"),
              std::string::npos);
    EXPECT_NE(none.out.find("A run would refuse: This directory does not contain the correct files"),
              std::string::npos);
}

TEST(Check, SeveralCandidatesNameTheWinnerAndEachLoserWithItsReason) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    // Files of a folder come before its subfolders: the C2 INF in old/ is found later and wins.
    const fs::path later = tree.write("Driver/2KXP_INF/old/C2_1.INF", readBytes(p.c2Inf)).make_preferred();
    const fs::path wdm = tree.write("Driver/WDM/CX_2.INF", "[Version]\r\n").make_preferred();
    const fs::path cp = tree.write("Driver/CPanel/Setup.exe", filler(200000)).make_preferred();
    const ToolResult check = runTool({"--check", tree.str()});
    EXPECT_EQ(check.status, cli::kLacksSections) << check.out;
    EXPECT_NE(check.out.find("  C2 INF (Label3): " + later.string() + "\n"), std::string::npos);
    EXPECT_NE(check.out.find("    " + p.c2Inf.string() + " (1034 bytes): lost: found earlier in the walk"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("    " + later.string() + " (1034 bytes): fills the slot\n"), std::string::npos);
    EXPECT_NE(check.out.find("    " + wdm.string() + " (11 bytes): lost: in a WDM folder"),
              std::string::npos);
    EXPECT_NE(check.out.find("    " + cp.string() + " (200000 bytes): lost: in a CP folder"),
              std::string::npos);
    EXPECT_NE(check.out.find("Sections of the C2 INF " + later.string() + "\n"), std::string::npos);
}

TEST(Check, NonUtf8PathsGiveValidJson) {
#ifdef _WIN32
    GTEST_SKIP() << "paths are the code page's text on Windows: a byte 0xFC is no stray byte there";
#endif
    TempDir tree;
    const fs::path folder = tree.path() / "pkg-\xfc";
    writeSamplePackage(folder);
    const ToolResult json = runTool({"--check", "--json", folder.string()});
    EXPECT_EQ(json.status, cli::kLacksSections);
    EXPECT_NE(json.out.find("pkg-\\u00fc"), std::string::npos);
    const auto folderBack = viaPython(json.out, "print(d['folder'].encode('latin-1').hex())\n");
    if (!folderBack) GTEST_SKIP() << "python3 is not installed: the JSON was not parsed";
    std::string hex;
    for (const unsigned char c : folder.string()) {
        static constexpr char kHex[] = "0123456789abcdef";
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    EXPECT_EQ(*folderBack, hex + "\n");
}

TEST(Check, AReadOnlyPackageIsReportedAndNothingIsCreatedOrTouched) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    openToEveryone(tree.path());
    // Read-only for everyone: folders keep r-x, files r--.
    for (const auto& entry : fs::recursive_directory_iterator(tree.path())) {
        fs::permissions(entry.path(),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    const auto before = treeSnapshot(tree.path());
    const auto result = asOrdinaryUser([&] {
        const ToolResult check = runTool({"--check", tree.str()});
        const ToolResult diff = runTool({"--diff", tree.str()});
        return std::to_string(check.status) + " " + std::to_string(diff.status) + "\n" + check.out + diff.out;
    });
    EXPECT_EQ(treeSnapshot(tree.path()), before);
    for (const auto& entry : fs::recursive_directory_iterator(tree.path())) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }
    if (!result) GTEST_SKIP() << "no unprivileged user to run as: only the snapshot was compared";
    EXPECT_EQ(result->substr(0, 4), "1 1\n") << *result;
    EXPECT_NE(result->find("  C2 INF: " + p.c2Inf.string() +
                           "\n    1034 bytes, 8-bit, line ends CR LF, last line "
                           "unended\n    cannot be written: Permission denied\n"),
              std::string::npos)
        << *result;
    EXPECT_NE(result->find("A run would refuse: Cannot write to " + p.installIni.string()),
              std::string::npos);
    // The preview refuses as the run would, and prints no diff.
    EXPECT_EQ(result->find("--- a/"), std::string::npos);
}
