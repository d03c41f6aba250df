#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <utility>

#include "file_identity.h"
#include "package_lock.h"

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

// How often a waiting run asks again: short next to a run, long next to the call itself.
constexpr auto kRetryPause = std::chrono::milliseconds(10);

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

}  // namespace

std::error_code PackageLock::lock(const std::vector<fs::path>& folders, std::chrono::milliseconds wait) {
    unlock();
    std::vector<std::pair<FileIdentity, fs::path>> ordered;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        const auto identity = fileIdentity(folder, ec);
        if (!identity) return ec;
        ordered.emplace_back(*identity, folder);
    }
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  ordered.end());

    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (const auto& [identity, folder] : ordered) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            const std::error_code ec = errnoCode();
            unlock();
            return ec;
        }
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            const std::error_code ec = errnoCode();
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                unlock();
                return errno == EWOULDBLOCK ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                            : ec;
            }
            std::this_thread::sleep_for(kRetryPause);
        }
        handles_.push_back(fd);
    }
    return {};
}

void PackageLock::unlock() {
    // Closing the descriptor drops its flock.
    for (const std::intptr_t fd : handles_) ::close(static_cast<int>(fd));
    handles_.clear();
}

}  // namespace quillmere::platform
