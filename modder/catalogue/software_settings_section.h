#pragma once
// Section "ati2mtag_<family>.SoftwareSettings": the registry lists the family's install adds.

#include <string>

#include "chip_family.h"

namespace quillmere {

std::string buildSoftwareSettingsContent(ChipFamily family);

}  // namespace quillmere
