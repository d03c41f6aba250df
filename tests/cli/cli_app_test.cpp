// The command-line front end: what it prints, what it asks, and its exit statuses.

#include "cli_app.h"

#include <gtest/gtest.h>

#include <sstream>

#include "faulty_file_store.h"
#include "package_fixture.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

struct Cli {
    std::ostringstream out, err;
    std::istringstream in;
    bool outIsTerminal = false;
    bool inIsTerminal = false;
    TempDir profileDir;
    FaultyFileStore store;
    ProfileEditor editor{profileDir.path(), store};
    std::vector<std::string> started;

    int run(const std::vector<std::string>& args) {
        RunEnvironment env;
        env.editor = &editor;
        env.startProgram = [this](const std::string& path) { started.push_back(path); };
        return cli::runCli(args, {out, err, in, outIsTerminal, inIsTerminal}, env);
    }
};

}  // namespace

TEST(Cli, ModsAPackageThenRefusesTheSecondRun) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    Cli first;
    EXPECT_EQ(first.run({tree.str()}), cli::kModded);
    EXPECT_EQ(first.out.str(),
              "Modded the install.ini\nmodded the C2xxxinf file\nmodded the CXxxxinf file\n"
              "Modding complete, thanks for using the modder!\n"
              "Do you want to install the drivers now? no\n"
              "You can always start the setup from --> " +
                  p.setup.string() + "\n");
    EXPECT_EQ(first.err.str(), "");
    EXPECT_TRUE(first.started.empty());

    Cli second;
    EXPECT_EQ(second.run({"--quiet", tree.str()}), cli::kRefused);
    EXPECT_EQ(second.out.str(), "");
    EXPECT_EQ(second.err.str(), "This set is already modified\n");
}

TEST(Cli, YesStartsTheInstallerAndQuietPrintsNothingOnSuccess) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    Cli cli;
    EXPECT_EQ(cli.run({"--yes", "--quiet", tree.str()}), cli::kModded);
    EXPECT_EQ(cli.out.str(), "");
    EXPECT_EQ(cli.err.str(), "");
    EXPECT_EQ(cli.started, std::vector<std::string>{p.setup.string()});
}

TEST(Cli, AsksAtTheTerminalAndRedrawsOneStatusLine) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    Cli cli;
    cli.inIsTerminal = cli.outIsTerminal = true;
    cli.in.str("y\n");
    EXPECT_EQ(cli.run({tree.str()}), cli::kModded);
    EXPECT_EQ(cli.started, std::vector<std::string>{p.setup.string()});
    const std::string out = cli.out.str();
    EXPECT_NE(out.find("\r\033[K1 files examined: "), std::string::npos);
    EXPECT_NE(out.find("Do you want to install the drivers now? [y/N] "), std::string::npos);
    // The status line is wiped before the first message.
    EXPECT_NE(out.find("\r\033[KModded the install.ini\n"), std::string::npos);
}

TEST(Cli, WithoutAnAnswerAndNoTerminalTheAnswerIsNo) {
    TempDir tree;
    writeSamplePackage(tree.path());
    Cli cli;
    cli.in.str("y\n");  // not a terminal: never read
    EXPECT_EQ(cli.run({tree.str()}), cli::kModded);
    EXPECT_TRUE(cli.started.empty());
    EXPECT_EQ(cli.out.str().find("\r"), std::string::npos);
}

TEST(Cli, UsageErrors) {
    TempDir tree;
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--frobnicate", tree.str()},
                                               {tree.str() + "/none"},
                                               {"--yes", "--no", tree.str()},
                                               {""},
                                               {"--no", ""},
                                               {"a", "b"}}) {
        Cli cli;
        EXPECT_EQ(cli.run(args), cli::kUsage);
        EXPECT_NE(cli.err.str().find("usage: quillmere-mod [-y | -n] [-q | --verbose] [--backup DIR] FOLDER"),
                  std::string::npos);
        EXPECT_EQ(cli.out.str(), "");
    }
    Cli help;
    EXPECT_EQ(help.run({"--help"}), 0);
    EXPECT_EQ(help.out.str().rfind("usage: ", 0), 0u);
    Cli version;
    EXPECT_EQ(version.run({"--version"}), 0);
    EXPECT_EQ(version.out.str().rfind("quillmere-mod ", 0), 0u);
}

TEST(Cli, FailuresSayWhetherFilesChanged) {
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    const std::string original = readBytes(p.c2Inf);
    Cli cli;
    cli.store.failReplaceOf.insert(p.c2Inf.string());
    EXPECT_EQ(cli.run({"--quiet", tree.str()}), cli::kError);
    EXPECT_EQ(cli.err.str().rfind("Modding failed while writing " + p.c2Inf.string(), 0), 0u);
    EXPECT_EQ(readBytes(p.c2Inf), original);

    // Modded, but no setup program to start: 4, not the 3 that promises unchanged files.
    fs::remove(p.setup);
    Cli start;
    EXPECT_EQ(cli::runCli({"--yes", tree.str()}, {start.out, start.err, start.in, false, false},
                          RunEnvironment{&start.editor, {}, {}, nullptr, {}}),
              cli::kStartFailed);
    EXPECT_EQ(start.err.str(), "quillmere-mod: Cannot start Label5: no setup program was found\n");
    EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));

    // A write fails and, with no second name to fall back on, so does putting a file back: 5.
    TempDir other;
    const SamplePackage q = writeSamplePackage(other.path());
    Cli broken;
    broken.store.refuseHolds = true;
    broken.store.failReplacesAfter = 1;
    EXPECT_EQ(broken.run({"--quiet", other.str()}), cli::kNotRestored);
    EXPECT_NE(
        broken.err.str().find(q.installIni.string() + " holds this run's changes: it could not be put back"),
        std::string::npos);
}
