#include "folder_lines.h"

namespace quillmere::ui::common {

std::vector<FolderLevel> folderLevels(const std::string& path, char separator) {
    const std::size_t rootEnd = path.find(separator);
    if (rootEnd == std::string::npos) return {{path, path}};
    std::vector<FolderLevel> levels;
    const std::string root = path.substr(0, rootEnd + 1);
    levels.push_back({root, root});
    std::size_t nameStart = rootEnd + 1;
    while (nameStart < path.size()) {
        std::size_t nameEnd = path.find(separator, nameStart);
        if (nameEnd == std::string::npos) nameEnd = path.size();
        levels.push_back({path.substr(0, nameEnd), path.substr(nameStart, nameEnd - nameStart)});
        nameStart = nameEnd + 1;
    }
    return levels;
}

}  // namespace quillmere::ui::common
