#pragma once
// Section "ati2mtag_<family>": what the family's [ATI.Mfg] lines install.

#include <string>

#include "chip_family.h"

namespace quillmere {

std::string buildInstallContent(ChipFamily family);

}  // namespace quillmere
