#pragma once
// Whether the system lets a file be replaced by a rename, asked without trying: a folder or file
// marked append-only or immutable takes new files but lets none go, so a test file made there
// could never be removed again.

#include <filesystem>
#include <system_error>

namespace quillmere::platform {

// EPERM when `file` or its folder carries a mark that forbids renaming over it or removing from
// it (Linux: the append-only and immutable inode flags); no error where the system keeps no
// such marks or cannot say.
std::error_code checkRenamesAllowed(const std::filesystem::path& file);

}  // namespace quillmere::platform
