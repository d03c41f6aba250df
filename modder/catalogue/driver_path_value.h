#pragma once
// The value stored under key "R6" in [WIN2K] and [WINXP]: the device IDs the installer accepts.

#include <string>

namespace quillmere {

// 1365 characters: "DriverPath_R6" and 94 comma-separated device entries.
std::string buildDriverPathValue();

}  // namespace quillmere
