#pragma once
// Timing helpers of the report: child processes with their wall time and peak memory, medians,
// and wrappers that add up the time the run spends in the file system.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "file_store.h"
#include "file_system_accessor.h"

extern char** environ;

namespace quillmere::bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

struct ProcessRun {
    double seconds = 0;
    long peakKb = 0;  // the child's peak resident set
    int status = -1;  // exit status
};

// Runs a program with its output thrown away, and measures it from start to reaped end.
inline ProcessRun runProcess(std::vector<std::string> args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw std::runtime_error("cannot start " + args[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    ProcessRun run;
    run.seconds = secondsSince(start);
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The scan's time in the file system: every listing, timed.
class TimingAccessor : public FileSystemAccessor {
public:
    explicit TimingAccessor(double& seconds) : seconds_(seconds) {}
    std::vector<ScannedFile> listFiles(const std::string& folder) override {
        const auto start = Clock::now();
        auto files = FileSystemAccessor::listFiles(folder);
        seconds_ += secondsSince(start);
        return files;
    }
    std::vector<std::string> listSubfolders(const std::string& folder) override {
        const auto start = Clock::now();
        auto folders = FileSystemAccessor::listSubfolders(folder);
        seconds_ += secondsSince(start);
        return folders;
    }

private:
    double& seconds_;
};

// The run's reads and writes (probes, temporary files, flushes, renames), timed apart.
class TimingStore : public DiskFileStore {
public:
    std::error_code read(const std::filesystem::path& file, std::string& bytes) override {
        const auto start = Clock::now();
        const auto ec = DiskFileStore::read(file, bytes);
        reads += secondsSince(start);
        return ec;
    }
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override {
        const auto start = Clock::now();
        const auto ec = DiskFileStore::replace(file, bytes);
        writes += secondsSince(start);
        return ec;
    }
    std::error_code probeWritable(const std::filesystem::path& file) override {
        const auto start = Clock::now();
        const auto ec = DiskFileStore::probeWritable(file);
        writes += secondsSince(start);
        return ec;
    }
    double reads = 0, writes = 0;
};

}  // namespace quillmere::bench
