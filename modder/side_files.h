#pragma once
// The names a replace gives the files it puts beside a package file: the temporary copy that is
// renamed over it, and the second name that keeps the original reachable until the run is done.
// A run stopped dead (killed, a power cut) can leave either behind; the next run removes them
// by their exact pattern, and nothing else.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace quillmere {

enum class SideFile { Temporary, Original };

// ".NAME.quillmere-N.tmp" or ".NAME.quillmere-N.orig" beside `file`, N a fresh random number.
std::filesystem::path sideFileName(const std::filesystem::path& file, SideFile kind);

// Starts the numbers anew from `seed`, so that a test can know the next names in advance.
void reseedSideFileNames(std::uint64_t seed);

// Whether `name` (a bare file name) is one of ours for the file named `fileName`.
bool isSideFileOf(const std::filesystem::path& fileName, const std::filesystem::path& name);

// Removes the leftovers of earlier runs beside `file`: temporary copies always, second names of
// an original only while the file itself is there (then it is whole, and the copy is stale).
// Only regular files are removed, never a link or a folder. Returns how many went.
std::size_t removeSideFiles(const std::filesystem::path& file);

}  // namespace quillmere
