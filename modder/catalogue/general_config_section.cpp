#include "general_config_section.h"

#include "section_content.h"

namespace quillmere {

std::string buildGeneralConfigContent(ChipFamily /*family*/) {
    return buildSectionContent(
        {
            "MaximumDeviceMemoryConfiguration = 128",
            "MaximumNumberOfDevices = 4",
        },
        kCrLf);
}

}  // namespace quillmere
