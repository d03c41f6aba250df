#pragma once
// The system calls behind replacing a package file in one step: a temporary file created
// exclusively beside it, the original's owner, permissions and attributes carried over, a second
// name that keeps the original reachable for a rollback, and a replace that is on the disk when
// it returns. One .cpp per system.

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace quillmere::platform {

// Creates `file` for writing only if no file, folder or link is at that name, readable and
// writable by its owner alone until copyFileAttributes gives it the original's rights.
// Null, with `ec` set, when it cannot; std::errc::file_exists when the name is taken.
std::FILE* createExclusive(const std::filesystem::path& file, std::error_code& ec);

// Gives `copy`, open at `copyPath`, what the system keeps of `original` beside its bytes: on
// POSIX the owner and group (where we may), then the permission bits, then the extended
// attributes, POSIX ACLs included, all on the open descriptor; on Windows the hidden, system and
// archive attributes and the access-control list.
std::error_code copyFileAttributes(const std::filesystem::path& original,
                                   const std::filesystem::path& copyPath, std::FILE* copy);

// Makes `second` another name of `file` in the same folder (a hard link), so that the bytes stay
// reachable without a copy. An error where the file system has no hard links (FAT).
std::error_code linkFile(const std::filesystem::path& file, const std::filesystem::path& second);

// Puts the file `from` in the place of `to` in one step; both in one folder. The folder is on the
// disk when it returns. On Windows `to` keeps its access-control list, streams and attributes,
// and a replace that another program blocks (a virus scanner holding the file) is retried
// for a moment before the system's reason is returned.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Renames `from` over `to` (same folder) as it is, durably: what a rollback does with the
// second name of an original.
std::error_code moveOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The path with every link on its way followed, as the system sees it.
std::filesystem::path realPath(const std::filesystem::path& path, std::error_code& ec);

}  // namespace quillmere::platform
