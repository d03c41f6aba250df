// Whether Windows XP's loader would start an image: every DLL it imports must ship with XP and
// export every imported function by name, and the subsystem version must be one XP accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "pe_image.h"
#include "xp_exports.h"

namespace xpcheck {

// The two XPs: 32-bit XP SP3 (NT 5.1) and XP x64 (NT 5.2), each with its own export list.
struct XpTarget {
    std::string name;                                      // "Windows XP SP3 (i386)"
    std::string exportList;                                // the file name in lists/
    std::uint16_t subsystemMajor = 0, subsystemMinor = 0;  // the highest version its loader accepts
};

// The XP that runs images of this machine type; nullopt for one no XP runs.
std::optional<XpTarget> xpTargetFor(const PeImage& image);

// Every reason the target's loader would refuse `image`, one sentence each; empty when it loads.
std::vector<std::string> findProblems(const PeImage& image, const XpTarget& target, const XpExports& xp);

// The image's imports per DLL (with their names when `listNames`), the problems, and a summary line.
void printReport(std::ostream& out, const std::string& label, const PeImage& image, const XpTarget& target,
                 const std::vector<std::string>& problems, bool listNames);

}  // namespace xpcheck
