#pragma once
// What the engine asks the file system about one path, through the system's own calls. On
// Windows std::filesystem asks the C runtime, whose stat knows neither the "\\?\" form that
// toPath gives absolute paths nor paths longer than 260 characters.

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace quillmere::platform {

struct PathStatus {
    bool exists = false;  // for a link: what it leads to is there
    bool directory = false;
    bool regularFile = false;  // a file, or a link that leads to one
    bool link = false;         // a symbolic link (on Windows also a junction)
};

// The status of `path`. A path that is not there is no error: `exists` stays false.
PathStatus pathStatus(const std::filesystem::path& path, std::error_code& ec);

// The path without the "\\?\" form that toPath gives absolute paths on Windows, for reckoning
// with std::filesystem's path arithmetic and for the shell; the path itself elsewhere.
std::filesystem::path plainPath(const std::filesystem::path& path);

// Removes a file or a link (never a folder); true when it was there and is gone now.
bool removeFile(const std::filesystem::path& file, std::error_code& ec);

}  // namespace quillmere::platform
