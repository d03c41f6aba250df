#include "software_settings_section.h"

#include <array>
#include <string_view>
#include <vector>

#include "section_content.h"

namespace quillmere {

namespace {

enum Label { S1 = 1, S2, S3, S4, S5, S6, S7, S8, S9, S10, S11, S12, S13, S14, S15 };

using Line = LabelledLine<Label>;

// clang-format off
constexpr std::array<Line, 15> kLines = {{
    {S1,  "AddReg = ati2mtag_SoftwareDeviceSettings"},
    {S2,  "AddReg = ati2mtag_M6_SoftwareDeviceSettings"},
    {S3,  "AddReg = ati2mtag_M7_SoftwareDeviceSettings"},
    {S4,  "AddReg = ati2mtag_M9_SoftwareDeviceSettings"},
    {S5,  "AddReg = ati2mtag_M10_SoftwareDeviceSettings"},
    {S6,  "AddReg = ati2mtag_M10GL_SoftwareDeviceSettings"},
    {S7,  "AddReg = ati2mtag_RS200M_SoftwareDeviceSettings"},
    {S8,  "AddReg = ati2mtag_U1_SoftwareDeviceSettings"},
    {S9,  "AddReg = atioglxx_OpenGLSoftwareSettings"},
    {S10, "DelReg = ati2mtag_RemoveDeviceSettings"},
    {S11, "AddReg = ati2mtag_LargeDesktopSettings"},
    {S12, "AddReg = ati2mtag_MobileLargeDesktopSettings"},
    {S13, "AddReg = ati2mtag_SoftwareDesktopSettings"},
    {S14, "DelReg = FGL_OGLSoftwareSettings"},
    {S15, "AddReg = FGL_OGLSoftwareSettings"},
}};
// clang-format on

static_assert(labelsInOrder(kLines), "kLines is indexed by label");

// M9plus names M9's device settings and M10plus names M10GL's rather than their own sections;
// those are the names to write, so they stay as they are.
std::vector<Label> linesOf(ChipFamily family) {
    switch (family) {
        // clang-format off
        case ChipFamily::M6:      return {S1, S2, S9, S10, S11, S12};
        case ChipFamily::M7:      return {S1, S3, S9, S10, S11, S12};
        case ChipFamily::M9:      return {S1, S4, S9, S10, S12};
        case ChipFamily::M9plus:  return {S1, S4, S9, S10, S12};
        case ChipFamily::M10:     return {S1, S5, S9, S10};
        case ChipFamily::M10plus: return {S1, S6, S10, S13, S14, S15};
        case ChipFamily::RS200M:  return {S1, S7, S9, S10};
        case ChipFamily::U1:      return {S1, S8, S9, S10, S13};
            // clang-format on
    }
    return {};
}

}  // namespace

std::string buildSoftwareSettingsContent(ChipFamily family) {
    return buildLabelledContent(kLines, linesOf(family), kCrLf);
}

}  // namespace quillmere
