#pragma once
// Which file a path leads to, as the system tells files apart: two paths name one file when they
// give the same identity (a link and its target, two hard links of one file).

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace quillmere::platform {

struct FileIdentity {
    std::uint64_t device = 0;  // POSIX: st_dev; Windows: the volume's serial number
    std::uint64_t index = 0;   // POSIX: st_ino; Windows: the file index
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of what `path` leads to, links followed (a file or a folder). Empty, with `ec`
// set, when the system cannot say (the path does not exist, or may not be looked at).
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path, std::error_code& ec);

}  // namespace quillmere::platform
