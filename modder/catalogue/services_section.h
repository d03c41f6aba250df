#pragma once
// Section "ati2mtag_<family>.Services": the same two services for every family.

#include <string>

#include "chip_family.h"

namespace quillmere {

std::string buildServicesContent(ChipFamily family);

}  // namespace quillmere
