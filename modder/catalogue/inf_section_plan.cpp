#include "inf_section_plan.h"

#include <iterator>
#include <string_view>

#include "chip_family.h"
#include "device_catalogue.h"
#include "device_settings_section.h"
#include "general_config_section.h"
#include "install_section.h"
#include "services_section.h"
#include "software_settings_section.h"

namespace quillmere {

namespace {

struct SectionKind {
    std::string_view suffix;
    std::string (*build)(ChipFamily);
};

// Each kind is written for all eight families before the next kind starts.
constexpr SectionKind kKinds[] = {
    {"", buildInstallContent},
    {".Services", buildServicesContent},
    {".SoftwareSettings", buildSoftwareSettingsContent},
    {"_SoftwareDeviceSettings", buildDeviceSettingsContent},
    {".GeneralConfigData", buildGeneralConfigContent},
};

}  // namespace

std::vector<InfSection> buildInfSections() {
    std::vector<InfSection> sections;
    sections.reserve(1 + std::size(kKinds) * kChipFamilies.size());
    // [ATI.Mfg] goes first: once it is in the C2 INF, the package counts as modified.
    sections.push_back({"ATI.Mfg", buildManufacturerContent()});
    for (const SectionKind& kind : kKinds) {
        for (ChipFamily family : kChipFamilies) {
            sections.push_back({familyStem(family) + std::string(kind.suffix), kind.build(family)});
        }
    }
    return sections;
}

}  // namespace quillmere
