#pragma once
// Runs a piece of a test as an ordinary user, so that permission bits mean what they mean for the
// tool's users. CI runs as root, for whom read and write bits stop nothing: there the piece runs
// in a child process that has given up root for the "nobody" user. Header-only, POSIX only.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#ifndef _WIN32
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quillmere::testing {

inline bool runningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

// The text that `piece` returns, computed as a user without privileges; nothing when the system
// offers no such user here (then the caller skips, saying why). A piece that fails in the child
// comes back as a text that no test expects.
inline std::optional<std::string> asOrdinaryUser(const std::function<std::string()>& piece) {
#ifdef _WIN32
    (void)piece;
    return std::nullopt;
#else
    if (!runningAsRoot()) return piece();
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        ::close(fds[0]);
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
        std::string out;
        try {
            out = piece();
        } catch (...) {
            ::_exit(4);
        }
        for (std::size_t done = 0; done < out.size();) {
            const ssize_t n = ::write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0) ::_exit(5);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);  // no exit handlers of the test runner in the child
    }
    ::close(fds[1]);
    std::string out;
    char chunk[4096];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) out.append(chunk, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    constexpr int kCannotDrop = 3;
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "<the unprivileged child failed: status " + std::to_string(status) + ">";
    return out;
#endif
}

// Lets every user read and write below `root` (the ordinary user must be able to mod the package
// for a refusal to mean anything).
inline void openToEveryone(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    const auto open = [](const fs::path& p) {
        std::error_code ec;
        const bool folder = fs::is_directory(fs::symlink_status(p, ec));
        if (fs::is_symlink(fs::symlink_status(p, ec))) return;
        fs::permissions(p, folder ? fs::perms::all : (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                                      fs::perms::group_write | fs::perms::others_read | fs::perms::others_write),
                        fs::perm_options::add, ec);
    };
    open(root);
    for (const auto& entry : fs::recursive_directory_iterator(root)) open(entry.path());
}

}  // namespace quillmere::testing
