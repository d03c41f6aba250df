#pragma once
// Keeps two runs off one package: each run holds an exclusive lock on the folders of the files it
// replaces from before it sweeps them to after its last flush. The lock is a property of open
// handles, never a file: nothing is left in the package, and the system drops the lock when the
// process ends, however it ends.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quillmere::platform {

class PackageLock {
  public:
    PackageLock() = default;
    ~PackageLock() { unlock(); }
    PackageLock(const PackageLock&) = delete;
    PackageLock& operator=(const PackageLock&) = delete;

    // Locks every one of `folders` (the same folder named twice counts once), in an order fixed
    // by the folders' identities, waiting for another process's lock at most `wait` in all.
    // std::errc::resource_unavailable_try_again when another process still held one after the
    // wait; then nothing is held. On POSIX flock(2) on an open descriptor of each folder; on
    // Windows a named mutex per folder identity. A lock excludes other processes only: within
    // one process a second lock of the same folder may succeed or fail.
    std::error_code lock(const std::vector<std::filesystem::path>& folders, std::chrono::milliseconds wait);
    void unlock();
    bool held() const { return !handles_.empty(); }

  private:
    std::vector<std::intptr_t> handles_;
};

}  // namespace quillmere::platform
