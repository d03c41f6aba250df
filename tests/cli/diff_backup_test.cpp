// quillmere-mod --diff: applied with patch(1) it gives exactly the bytes a real run writes;
// --backup and --restore: a round trip gives back every original byte, and a restore never
// undoes an edit made after the run. Also the short options and --verbose.

#include <gtest/gtest.h>

#include <sstream>

#include "cli_runner.h"
#include "driver_path_value.h"
#include "package_fixture.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

struct InfPair {
    const char* name;
    std::string c2, cx;
};

std::vector<InfPair> packages() {
    const std::string real2010 = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    const std::string real2010Lf =
        realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.embedded-in-opsi-File.py.INF.lf");
    return {
        {"sample", testData("sample-package/C2_59642.INF"), testData("sample-package/CX_59642.INF")},
        {"2010 INF, CR LF", real2010, real2010},
        {"2010 INF, LF only", real2010Lf, real2010Lf},
        {"9x INF files", realData("catalyst-win9x-C9_11774-C8_11774_oerg866/C9_11774.inf"),
         realData("catalyst-win9x-C9_11774-C8_11774_oerg866/C8_11774.INF")},
        {"R200 sample INF", realData("wdk6001-r200sample-inf/x86/r200.inf"),
         realData("wdk6001-r200sample-inf/amd64/r200.inf.as-in-repo-LF")},
    };
}

}  // namespace

TEST(Diff, PatchedWithItsOwnDiffAPackageEqualsARealRunsBytes) {
    if (!haveProgram("patch")) GTEST_SKIP() << "patch(1) is not installed";
    for (const InfPair& inf : packages()) {
        SCOPED_TRACE(inf.name);
        TempDir previewed, modded;
        const SamplePackage a = writePackage(previewed.path(), inf.c2, inf.cx);
        const SamplePackage b = writePackage(modded.path(), inf.c2, inf.cx);
        const auto before = treeSnapshot(previewed.path());
        const ToolResult diff = runTool({"--diff", previewed.str()});
        ASSERT_EQ(diff.status, cli::kModded) << diff.err;
        EXPECT_EQ(treeSnapshot(previewed.path()), before);  // the preview wrote nothing
        // The driver-path line whole, as the run writes it.
        EXPECT_NE(diff.out.find("\n+R6=" + buildDriverPathValue() + "\r\n"), std::string::npos);
        const std::size_t messages = diff.out.find("Modded the install.ini\n");
        ASSERT_NE(messages, std::string::npos);
        EXPECT_EQ(
            diff.out.substr(messages),
            "Modded the install.ini\nmodded the C2xxxinf file\nmodded the CXxxxinf file\n"
            "Modding complete, thanks for using the modder!\nDo you want to install the drivers now? no\n"
            "You can always start the setup from --> " +
                a.setup.string() + "\n");
        for (const char* label : {"--- a/Driver/install.ini\n", "+++ b/Driver/2KXP_INF/C2_59642.INF\n",
                                  "+++ b/Driver/2KXP_INF/CX_59642.INF\n"})
            EXPECT_NE(diff.out.find(label), std::string::npos) << label;

        writeBytes(previewed.path() / "run.diff", diff.out.substr(0, messages));
        const std::string patch =
            "patch -s -p1 -d '" + previewed.str() + "' < '" + previewed.str() + "/run.diff'";
        ASSERT_EQ(std::system(patch.c_str()), 0);
        ASSERT_EQ(runTool({"-n", "-q", modded.str()}).status, cli::kModded);
        EXPECT_EQ(contentsOf(a), contentsOf(b));
        EXPECT_NE(contentsOf(b).c2, inf.c2);
    }
}

TEST(Diff, ARefusedPreviewPrintsNoDiffAndExitsAsTheRunWould) {
    TempDir tree;
    writeSamplePackage(tree.path());
    ASSERT_EQ(runTool({"-n", "-q", tree.str()}).status, cli::kModded);
    const ToolResult diff = runTool({"--diff", tree.str()});
    EXPECT_EQ(diff.status, cli::kRefused);
    EXPECT_EQ(diff.out, "This set is already modified\n");
    const ToolResult quiet = runTool({"--diff", "-q", tree.str()});
    EXPECT_EQ(quiet.out, "");
    EXPECT_EQ(quiet.err, "This set is already modified\n");
}

TEST(Backup, RunThenRestoreGivesBackEveryOriginalByte) {
    TempDir tree, backups;
    const SamplePackage p = writeSamplePackage(tree.path());
    const PackageFiles originals = contentsOf(p);
    const fs::path dir = backups.path() / "new" / "dir";
    const ToolResult run = runTool({"-n", "-q", "--backup", dir.string(), tree.str()});
    ASSERT_EQ(run.status, cli::kModded) << run.err;
    const PackageFiles modded = contentsOf(p);
    ASSERT_NE(modded, originals);
    EXPECT_EQ(readBytes(dir / "Driver" / "install.ini"), originals.installIni);
    EXPECT_EQ(readBytes(dir / "Driver" / "2KXP_INF" / "C2_59642.INF"), originals.c2);
    EXPECT_EQ(readBytes(dir / "Driver" / "2KXP_INF" / "CX_59642.INF"), originals.cx);
    const std::string list = readBytes(dir / "quillmere-backup.txt");
    EXPECT_EQ(list.rfind("quillmere-mod backup 2\nfolder ", 0), 0u);
    EXPECT_NE(list.find(" " + fs::path("Driver/install.ini").make_preferred().string() + "\n"),
              std::string::npos);

    const ToolResult restore = runTool({"--restore", dir.string(), tree.str()});
    EXPECT_EQ(restore.status, cli::kModded) << restore.err;
    EXPECT_EQ(contentsOf(p), originals);
    EXPECT_NE(restore.out.find("Restored " + p.c2Inf.string() + "\n"), std::string::npos);
    // The files are the originals now, not what the run wrote: a second restore refuses.
    const ToolResult again = runTool({"--restore", dir.string(), tree.str()});
    EXPECT_EQ(again.status, cli::kRefused);
    EXPECT_EQ(contentsOf(p), originals);
}

TEST(Backup, AnExistingBackupIsNeverOverwrittenAndAHandEditStopsTheRestore) {
    TempDir tree, backups;
    const SamplePackage p = writeSamplePackage(tree.path());
    const fs::path dir = backups.path() / "b";
    ASSERT_EQ(runTool({"-n", "-q", "--backup", dir.string(), tree.str()}).status, cli::kModded);
    const std::string list = readBytes(dir / "quillmere-backup.txt");

    TempDir second;
    const SamplePackage q = writeSamplePackage(second.path());
    const PackageFiles untouched = contentsOf(q);
    const ToolResult refused = runTool({"-n", "--backup", dir.string(), second.str()});
    EXPECT_EQ(refused.status, cli::kRefused);
    EXPECT_NE(refused.out.find("A backup is already in " + dir.string() +
                               "; it is never overwritten. Nothing was changed."),
              std::string::npos)
        << refused.out;
    EXPECT_EQ(contentsOf(q), untouched);
    EXPECT_EQ(readBytes(dir / "quillmere-backup.txt"), list);

    // One byte more in the CX INF after the run: nothing is restored, and the file is named.
    const PackageFiles modded = contentsOf(p);
    writeBytes(p.cxInf, modded.cx + ";");
    const ToolResult restore = runTool({"--restore", dir.string(), tree.str()});
    EXPECT_EQ(restore.status, cli::kRefused);
    EXPECT_NE(restore.err.find(p.cxInf.string() + " has changed since the run"), std::string::npos)
        << restore.err;
    EXPECT_EQ(readBytes(p.installIni), modded.installIni);
    EXPECT_EQ(readBytes(p.c2Inf), modded.c2);

    // A damaged copy in the backup is refused as well.
    writeBytes(p.cxInf, modded.cx);
    writeBytes(dir / "Driver" / "install.ini", "damaged");
    const ToolResult damaged = runTool({"--restore", dir.string(), tree.str()});
    EXPECT_EQ(damaged.status, cli::kRefused);
    EXPECT_NE(damaged.err.find("is missing or damaged"), std::string::npos);
    EXPECT_EQ(contentsOf(p), modded);
}

TEST(Options, ShortOptionsVerboseAndTheHelpThatListsThemAll) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    const ToolResult verbose = runTool({"-n", "--verbose", tree.str()});
    EXPECT_EQ(verbose.status, cli::kModded);
    for (const fs::path& file : {p.installIni, p.c2Inf, p.cxInf, p.setup}) {
        EXPECT_NE(verbose.out.find("Found " + file.string() + " ("), std::string::npos) << file;
    }
    for (const fs::path& file : {p.installIni, p.c2Inf, p.cxInf}) {
        EXPECT_NE(verbose.out.find("Changed " + file.string() + "\n"), std::string::npos) << file;
    }
    EXPECT_EQ(verbose.out.find("Changed " + p.setup.string()), std::string::npos);

    EXPECT_EQ(runTool({"-qn", tree.str()}).out, "");  // bundled, and refused quietly
    EXPECT_EQ(runTool({"-V"}).out.rfind("quillmere-mod ", 0), 0u);
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"-y", "-n", tree.str()},
                                               {"--json", tree.str()},
                                               {"--check", "--diff", tree.str()},
                                               {"--check", "--backup", "x", tree.str()},
                                               {"--restore", "x"},
                                               {"--restore", "x", tree.str(), tree.str()},
                                               {"--restore"},
                                               {"-x", tree.str()},
                                               {"-q", "--verbose", tree.str()}}) {
        EXPECT_EQ(runTool(args).status, cli::kUsage) << args.front();
    }
    const std::string help = runTool({"-h"}).out;
    for (const char* option : {"-y, --yes", "-n, --no", "-q, --quiet", "--verbose", "--backup DIR", "--check",
                               "--json", "--diff", "--restore DIR", "-h, --help", "-V, --version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    for (const char* status : {"  0  ", "  1  ", "  2  ", "  3  ", "  5  "})
        EXPECT_NE(help.find(status), std::string::npos) << status;
}

TEST(Options, TheManualPageAndTheCompletionKnowEveryOptionOfTheHelp) {
    const std::string man = readBytes(fs::path(QUILLMERE_CLI_SOURCE) / "quillmere-mod.1");
    const std::string completion =
        readBytes(fs::path(QUILLMERE_CLI_SOURCE) / "completion" / "quillmere-mod.bash");
    std::string manPlain = man;  // troff writes "-" as "\-"
    for (std::size_t at; (at = manPlain.find("\\-")) != std::string::npos;) manPlain.erase(at, 1);
    const std::string help = runTool({"--help"}).out;
    int options = 0;
    std::istringstream lines(help);
    for (std::string text; std::getline(lines, text);) {
        // Option lines: "  -y, --yes   ..." and "      --verbose   ...".
        if (!text.starts_with("  -") && !text.starts_with("      --")) continue;
        std::istringstream line(text);
        for (std::string word; line >> word && word[0] == '-';) {
            if (word.back() == ',') word.pop_back();
            ++options;
            EXPECT_NE(manPlain.find(word), std::string::npos) << word;
            const std::size_t at = completion.find(word);
            EXPECT_TRUE(at != std::string::npos && (completion[at - 1] == ' ' || completion[at - 1] == '\''))
                << word;
        }
    }
    EXPECT_EQ(options, 16);  // -y --yes -n --no -q --quiet --verbose --backup --check --json --diff ...
    for (const char* status : {".B 0\n", ".B 1\n", ".B 2\n", ".B 3\n", ".B 5\n"})
        EXPECT_NE(man.find(status), std::string::npos) << status;
}
