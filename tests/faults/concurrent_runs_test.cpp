// Two quillmere-mod processes started on one package at the same moment: one mods it, the other
// refuses, and neither takes the other's live files for leftovers. Also standard output on a
// full device (/dev/full) for the real program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "cli_app.h"
#include "package_fixture.h"
#include "stress.h"
#include "temp_dir.h"

extern char** environ;

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

// The tool's exit status, its standard output and error going to the files given.
pid_t startTool(std::vector<std::string> args, const char* out, const char* err) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    args.insert(args.begin(), QUILLMERE_CLI);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, QUILLMERE_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int waitFor(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::set<std::string> namesBelow(const fs::path& root) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.insert(entry.path().lexically_relative(root).string());
    return names;
}

}  // namespace

TEST(ConcurrentRuns, OfTwoRunsStartedTogetherOneModsAndTheOtherRefusesEveryTime) {
    TempDir reference;
    const SamplePackage r = writeSamplePackage(reference.path());
    const auto names = namesBelow(reference.path());
    ASSERT_EQ(waitFor(startTool({"-n", "-q", reference.str()}, "/dev/null", "/dev/null")), cli::kModded);
    const PackageFiles modded = contentsOf(r);

    // 100 pairs took 30 s on a shared 2-core machine, mostly waiting on the disk's flushes (the
    // second run of a pair waits for the first; ASan adds CPU time, little of which is spent).
    // The budget stops early on a machine so slow that this would take over two minutes; the
    // pairs that did run still count, and at least 20 must. A light load asks for those 20.
    const int wantedPairs = stressCount(100, 20);
    const auto budget = std::chrono::seconds(120);
    const auto start = std::chrono::steady_clock::now();
    int pairs = 0;
    for (; pairs < wantedPairs && std::chrono::steady_clock::now() - start < budget; ++pairs) {
        SCOPED_TRACE("pair " + std::to_string(pairs));
        TempDir tree;
        const SamplePackage p = writeSamplePackage(tree.path());
        const fs::path logs = tree.path().parent_path() / (tree.path().filename().string() + "-logs");
        fs::create_directories(logs);
        const std::string out1 = (logs / "1.out").string(), out2 = (logs / "2.out").string();
        const pid_t first = startTool({"-n", tree.str()}, out1.c_str(), "/dev/null");
        const pid_t second = startTool({"-n", tree.str()}, out2.c_str(), "/dev/null");
        ASSERT_GT(first, 0);
        ASSERT_GT(second, 0);
        std::vector<int> statuses = {waitFor(first), waitFor(second)};
        const std::string said = readBytes(out1) + readBytes(out2);
        fs::remove_all(logs);
        std::sort(statuses.begin(), statuses.end());
        EXPECT_EQ(statuses, (std::vector<int>{cli::kModded, cli::kRefused})) << said;
        EXPECT_NE(said.find("Modding complete, thanks for using the modder!\n"), std::string::npos) << said;
        EXPECT_NE(said.find("This set is already modified\n"), std::string::npos) << said;
        EXPECT_EQ(contentsOf(p), modded);
        EXPECT_EQ(namesBelow(tree.path()), names);  // no lock file, no temporary file, no second name
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GE(pairs, 20) << "too slow to try enough pairs";
    std::cout << pairs << " pairs in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                       start)
                     .count()
              << " ms\n";
}

TEST(ConcurrentRuns, StandardOutputOnAFullDeviceIsAnErrorForCheckAndDiffOnly) {
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    TempDir tree;
    const SamplePackage p = writeSamplePackage(tree.path());
    const std::string err = (tree.path() / "err").string();
    const char* lost = "quillmere-mod: the report could not be written to standard output\n";
    for (const char* mode : {"--check", "--diff"}) {
        EXPECT_EQ(waitFor(startTool({mode, tree.str()}, "/dev/full", err.c_str())), cli::kError) << mode;
        EXPECT_EQ(readBytes(err), lost) << mode;
    }
    EXPECT_EQ(waitFor(startTool({"-n", tree.str()}, "/dev/full", err.c_str())), cli::kModded);
    EXPECT_EQ(readBytes(err), lost);
    EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));
}
