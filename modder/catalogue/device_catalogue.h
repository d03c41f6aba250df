#pragma once
// The 18 mobile devices whose lines make up the whole of section [ATI.Mfg].

#include <array>
#include <string>
#include <string_view>

#include "chip_family.h"

namespace quillmere {

struct DeviceEntry {
    std::string_view displayName;  // written between double quotes exactly as is, trailing blank too
    ChipFamily family;             // its stem is the line's install section
    std::string_view deviceId;     // PCI device ID, four upper-case hex digits; vendor is always 1002
};

using DeviceCatalogue = std::array<DeviceEntry, 18>;

// In write order: line 1 must stay first, its opening characters mark a modified package.
const DeviceCatalogue& deviceCatalogue();

// One line per entry, each ended by CR LF; a single entry without NUL or closing text.
std::string buildManufacturerContent();

}  // namespace quillmere
