#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ordinary_user.h"

namespace quillmere::testing {

bool runningAsRoot() {
    return ::geteuid() == 0;
}

std::optional<std::string> asOrdinaryUser(const std::function<std::string()>& piece) {
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
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;)
        out.append(chunk, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    constexpr int kCannotDrop = 3;
    if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "<the unprivileged child failed: status " + std::to_string(status) + ">";
    return out;
}

}  // namespace quillmere::testing
