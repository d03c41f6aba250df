#pragma once
// What the drive list shows for a drive.

#include <string>

namespace quillmere::ui::common {

// A drive letter's root ("C:\") as "c:", followed by " [LABEL]" where the volume has a label;
// any other root (a mount point) as the root itself.
std::string driveLabel(const std::string& root, const std::string& volumeName);

}  // namespace quillmere::ui::common
