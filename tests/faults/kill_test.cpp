// The command-line tool killed with SIGKILL at points spread over its run, on a package with
// large INF files: afterwards every file is either as it was or as the complete run leaves it,
// never torn, and a second run finishes the job and leaves none of the killed run's files behind.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "large_package.h"
#include "modding_run.h"
#include "package_fixture.h"
#include "recording_host.h"
#include "stress.h"
#include "temp_dir.h"

extern char** environ;

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Large enough that writing the three files takes a good part of the run.
constexpr std::size_t kInfSize = 2'400'000;


pid_t startTool(const fs::path& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string tool = QUILLMERE_CLI, no = "--no", path = folder.string();
    char* argv[] = {tool.data(), no.data(), path.data(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + tool);
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// The three package files in the order the run replaces them: the C2 INF, which carries the
// mark of a modded package, last.
struct Package {
    LargePackage paths;
    std::array<std::string, 3> original, modded;

    std::array<fs::path, 3> files() const { return {paths.installIni, paths.cxInf, paths.c2Inf}; }

    void restore() const {
        for (std::size_t i = 0; i < 3; ++i) spill(files()[i], original[i]);
    }

    // Per file: 0 as it was, 1 as the complete run leaves it, 2 anything else.
    std::array<int, 3> states() const {
        std::array<int, 3> s{};
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string now = slurp(files()[i]);
            s[i] = now == original[i] ? 0 : now == modded[i] ? 1 : 2;
        }
        return s;
    }

    // Files of ours (temporary copies, second names of originals) beside the package files.
    int leftovers() const {
        int found = 0;
        for (const fs::path& folder : {paths.installIni.parent_path(), paths.c2Inf.parent_path()}) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                if (entry.path().filename().string().find(".quillmere-") != std::string::npos) ++found;
            }
        }
        return found;
    }
};

Package makePackage(const fs::path& root) {
    const std::string base = realData("catalyst-10.2-xp-CX_95952_opsi/CX_95952.INF");
    const std::string lfOnly = realData("catalyst-10.2-xp-CX_95952_opsi/inf_testdata_1.inf");
    Package p;
    p.original = {testData("sample-package/install.ini"), grownInf(lfOnly, kInfSize), grownInf(base, kInfSize)};
    p.paths = writeLargePackage(root, p.original[0], p.original[2], p.original[1]);
    const pid_t pid = startTool(root);
    const int status = waitFor(pid);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the uninterrupted run failed");
    for (std::size_t i = 0; i < 3; ++i) p.modded[i] = slurp(p.files()[i]);
    p.restore();
    return p;
}

// Seconds from the start of an uninterrupted run to each file's replace, in replace order, and
// to the run's end.
std::array<double, 4> replaceTimes(const Package& p, const fs::path& root) {
    const auto files = p.files();
    std::array<ino_t, 3> inodes{};
    for (std::size_t i = 0; i < 3; ++i) {
        struct stat st {};
        ::stat(files[i].c_str(), &st);
        inodes[i] = st.st_ino;
    }
    std::array<double, 4> times{};
    std::array<bool, 3> seen{};
    const auto start = Clock::now();
    const pid_t pid = startTool(root);
    int status = 0;
    for (;;) {
        const double now = std::chrono::duration<double>(Clock::now() - start).count();
        for (std::size_t i = 0; i < 3; ++i) {
            struct stat st {};
            if (!seen[i] && ::stat(files[i].c_str(), &st) == 0 && st.st_ino != inodes[i]) {
                seen[i] = true;
                times[i] = now;
            }
        }
        if (::waitpid(pid, &status, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::microseconds(100));  // leave the tool its processor
    }
    times[3] = std::chrono::duration<double>(Clock::now() - start).count();
    for (std::size_t i = 0; i < 3; ++i) {
        if (!seen[i]) times[i] = times[3];
    }
    return times;
}

std::string describe(const std::array<int, 3>& s) {
    std::string out;
    for (const int v : s) out += v == 0 ? "original " : v == 1 ? "modded " : "TORN ";
    return out;
}

}  // namespace

TEST(KillTest, EveryFileIsWholeAfterASigkillAtAnyPointAndTheNextRunFinishesTheJob) {
    TempDir dir;
    const Package p = makePackage(dir.path());

    // When an uninterrupted run replaces its files here (a replace gives the path a new inode),
    // as parts of the run, since watching slows the run a little; and how long a run takes unwatched.
    std::vector<double> firstReplace, lastReplace, whole;
    for (int i = 0; i < 3; ++i) {
        p.restore();
        const auto times = replaceTimes(p, dir.path());
        firstReplace.push_back(times[0] / times[3]);
        lastReplace.push_back(times[2] / times[3]);
        p.restore();
        const auto start = Clock::now();
        waitFor(startTool(dir.path()));
        whole.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double runTime = median(whole);
    // Half the points spread over the whole run and a bit beyond, half over the writes.
    const double writesBegin = std::max(0.0, median(firstReplace) * runTime - 0.005);
    const double writesEnd = median(lastReplace) * runTime + 0.002;

    // QUILLMERE_KILL_POINTS asks for more (or fewer); a light load (a sanitized tool runs several
    // times slower) takes a fifth.
    const char* wanted = std::getenv("QUILLMERE_KILL_POINTS");
    const int points = wanted ? std::max(2, std::atoi(wanted)) : stressCount(100, 20);
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> jitter(0.0, 1.0);
    std::array<int, 4> replacedCounts{};
    int finishedBeforeKill = 0, temporaries = 0;
    for (int i = 0; i < points; ++i) {
        p.restore();
        // One point in each of equal slices of the span, at a random place in it.
        const int half = points / 2;
        const double at = i < half ? runTime * 1.2 * (i + jitter(random)) / half
                                   : writesBegin + (writesEnd - writesBegin) * (i - half + jitter(random)) / (points - half);
        const auto delay = std::chrono::duration<double>(at);
        const auto start = Clock::now();
        const pid_t pid = startTool(dir.path());
        std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(delay));
        ::kill(pid, SIGKILL);
        const int status = waitFor(pid);
        if (WIFEXITED(status)) ++finishedBeforeKill;
        temporaries += p.leftovers();

        const auto states = p.states();
        ASSERT_EQ(std::count(states.begin(), states.end(), 2), 0) << "kill after " << delay.count() << " s: " << describe(states);
        // Replaced in order: what is done is a prefix.
        const auto replaced = static_cast<std::size_t>(std::count(states.begin(), states.end(), 1));
        ASSERT_TRUE(std::is_sorted(states.begin(), states.end(), std::greater<int>())) << describe(states);
        ++replacedCounts[replaced];

        // Whatever the kill left, running again gives the complete result and takes away what
        // the killed run left of its own, even when it finds the package modded already.
        waitFor(startTool(dir.path()));
        ASSERT_EQ(p.states(), (std::array<int, 3>{1, 1, 1}))
            << "after a kill that left " << describe(states) << "the next run did not finish the job";
        ASSERT_EQ(p.leftovers(), 0) << "after a kill that left " << describe(states);
    }
    std::cout
        << "[ kill test ] " << points << " kill points, half over the run of " << runTime
        << " s, half over its writes from " << writesBegin << " s to " << writesEnd
        << " s; files replaced when killed: none " << replacedCounts[0] << ", one " << replacedCounts[1]
        << ", two " << replacedCounts[2] << ", all three " << replacedCounts[3] << " (" << finishedBeforeKill
        << " runs had ended before their kill); files of ours left by kills, all gone after the next run: "
        << temporaries << '\n';
}

TEST(KillTest, ARunStoppedAfterAnyReplaceIsFinishedByTheNextRun) {
    struct Killed {};
    // Stops the run dead after a number of replaces, with no chance to put anything back.
    class DyingStore : public DiskFileStore {
    public:
        explicit DyingStore(int replaces) : left_(replaces) {}
        std::error_code replace(const fs::path& file, const std::string& bytes) override {
            if (left_-- == 0) throw Killed{};
            return DiskFileStore::replace(file, bytes);
        }

    private:
        int left_;
    };
    for (int replaces = 0; replaces < 3; ++replaces) {
        TempDir dir, profileDir;
        const SamplePackage p = writeSamplePackage(dir.path());
        DyingStore dying(replaces);
        ProfileEditor dyingEditor(profileDir.path(), dying);
        RunEnvironment env;
        env.editor = &dyingEditor;
        RecordingHost first(dir.str());
        EXPECT_THROW(runModding(first, env), Killed);

        ProfileEditor editor(profileDir.path());
        env.editor = &editor;
        env.startProgram = [](const std::string&) {};
        RecordingHost second(dir.str());
        EXPECT_EQ(runModding(second, env), RunOutcome::Modded) << "stopped after " << replaces << " replaces";
        EXPECT_EQ(readBytes(p.installIni), testData("expected/install.ini"));
        EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));
        EXPECT_EQ(readBytes(p.cxInf), testData("expected/CX_59642.INF"));
    }
}
