#pragma once
// The folder list's rules, alike in both windows: one line per level of the open folder's path
// from the drive down, each indented by its depth, then the open folder's subfolders one level
// deeper; every line has a folder picture in front of its text.

#include <string>
#include <vector>

namespace quillmere::ui::common {

// In pixels at 96 dpi.
inline constexpr int kFolderIndentPerLevel = 8;
inline constexpr int kFolderPictureSize = 16;
inline constexpr int kFolderLineHeight = 16;

struct FolderLevel {
    std::string path;
    std::string text;  // the drive's root on the first line, a folder's own name below it
};

// The folder and every folder above it, from the drive down, worked out on the text alone so
// that a path that does not exist still shows where it is. `path` is clean: `separator` only,
// none at the end except in a root.
std::vector<FolderLevel> folderLevels(const std::string& path, char separator);

}  // namespace quillmere::ui::common
