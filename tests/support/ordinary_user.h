#pragma once
// Runs a piece of a test as an ordinary user, so that permission bits mean what they mean for the
// tool's users. CI runs as root, for whom read and write bits stop nothing: there the piece runs
// in a child process that has given up root for the "nobody" user. One .cpp per system, chosen
// by tests/CMakeLists.txt; on Windows no piece runs and the callers skip.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quillmere::testing {

bool runningAsRoot();

// The text that `piece` returns, computed as a user without privileges; nothing when the system
// offers no such user here (then the caller skips, saying why). A piece that fails in the child
// comes back as a text that no test expects.
std::optional<std::string> asOrdinaryUser(const std::function<std::string()>& piece);

// Lets every user read and write below `root` (the ordinary user must be able to mod the package
// for a refusal to mean anything).
inline void openToEveryone(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    const auto open = [](const fs::path& p) {
        std::error_code ec;
        const bool folder = fs::is_directory(fs::symlink_status(p, ec));
        if (fs::is_symlink(fs::symlink_status(p, ec))) return;
        fs::permissions(p,
                        folder ? fs::perms::all
                               : (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                  fs::perms::group_write | fs::perms::others_read | fs::perms::others_write),
                        fs::perm_options::add, ec);
    };
    open(root);
    for (const auto& entry : fs::recursive_directory_iterator(root)) open(entry.path());
}

}  // namespace quillmere::testing
