#pragma once
// Section "ati2mtag_<family>.GeneralConfigData": the same limits for every family.

#include <string>

#include "chip_family.h"

namespace quillmere {

std::string buildGeneralConfigContent(ChipFamily family);

}  // namespace quillmere
