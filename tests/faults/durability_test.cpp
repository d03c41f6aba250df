// A run's renames are on the disk before it says so: traced with strace(1), every rename of a
// package file is followed by a flush of that file's folder before the next rename and before
// the first success message. Skipped where strace cannot trace.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <map>
#include <set>
#include <sstream>

#include "package_fixture.h"
#include "temp_dir.h"

extern char** environ;

using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

int runTraced(const fs::path& trace, const fs::path& folder) {
    // LeakSanitizer cannot work under a tracer: in a sanitized build it would fail the run.
    std::vector<std::string> args = {"strace",
                                     "-f",
                                     "-qq",
                                     "-e",
                                     "trace=rename,renameat,renameat2,openat,fsync,write",
                                     "-E",
                                     "ASAN_OPTIONS=detect_leaks=0",
                                     "-o",
                                     trace.string(),
                                     QUILLMERE_CLI,
                                     "--no",
                                     folder.string()};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, "strace", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The quoted strings of a trace line, in order.
std::vector<std::string> stringsOf(const std::string& line) {
    std::vector<std::string> out;
    for (std::size_t open = line.find('"'); open != std::string::npos;) {
        const std::size_t close = line.find('"', open + 1);
        if (close == std::string::npos) break;
        out.push_back(line.substr(open + 1, close - open - 1));
        open = line.find('"', close + 1);
    }
    return out;
}

}  // namespace

TEST(Durability, EveryRenameIsFollowedByAFlushOfItsFolderBeforeTheNextStep) {
    TempDir dir;
    const SamplePackage p = writeSamplePackage(dir.path() / "pkg");
    const fs::path trace = dir.path() / "trace.txt";
    const int status = runTraced(trace, p.root);
    if (status == -1 || !fs::exists(trace)) GTEST_SKIP() << "strace is not there or cannot trace here";
    ASSERT_EQ(status, 0);

    const std::set<std::string> packageFiles = {p.installIni.string(), p.c2Inf.string(), p.cxInf.string()};
    std::map<std::string, std::string> folderOfDescriptor;  // open folder descriptors
    std::string pendingFolder;                              // renamed into, not yet flushed
    std::vector<std::string> renamed;
    bool messageSeen = false;
    std::istringstream lines(readBytes(trace));
    for (std::string line; std::getline(lines, line);) {
        const auto strings = stringsOf(line);
        if (line.find("rename") != std::string::npos && line.find(" = 0") != std::string::npos &&
            strings.size() >= 2) {
            if (!packageFiles.count(strings.back())) continue;
            EXPECT_EQ(pendingFolder, "")
                << "renamed " << strings.back() << " before the last rename was flushed";
            EXPECT_FALSE(messageSeen) << "a success message came before the rename of " << strings.back();
            renamed.push_back(strings.back());
            pendingFolder = fs::path(strings.back()).parent_path().string();
        } else if (line.find("openat(") != std::string::npos && !strings.empty()) {
            // A descriptor number is used again once closed: each open says what it is now.
            const std::size_t eq = line.rfind("= ");
            const bool folder = line.find("O_DIRECTORY") != std::string::npos;
            if (eq != std::string::npos)
                folderOfDescriptor[line.substr(eq + 2)] = folder ? strings.front() : "";
        } else if (line.find("fsync(") != std::string::npos && line.find(" = 0") != std::string::npos) {
            const std::size_t open = line.find("fsync(") + 6;
            const std::string fd = line.substr(open, line.find(')', open) - open);
            if (folderOfDescriptor.count(fd) && folderOfDescriptor[fd] == pendingFolder)
                pendingFolder.clear();
        } else if (line.find("write(1, \"Modded the install.ini") != std::string::npos) {
            EXPECT_EQ(pendingFolder, "") << "the first success message came before the folder was flushed";
            messageSeen = true;
        }
    }
    EXPECT_EQ(renamed.size(), 3u);
    EXPECT_TRUE(messageSeen);
    EXPECT_EQ(pendingFolder, "");
}
