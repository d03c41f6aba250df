#include "drive_label.h"

#include <cctype>

namespace quillmere::ui::common {

std::string driveLabel(const std::string& root, const std::string& volumeName) {
    const bool letter =
        root.size() >= 2 && root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0]));
    if (!letter) return root;
    std::string label{static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))), ':'};
    if (!volumeName.empty()) label += " [" + volumeName + "]";
    return label;
}

}  // namespace quillmere::ui::common
