#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "content_entries.h"
#include "device_catalogue.h"
#include "device_settings_section.h"
#include "general_config_section.h"
#include "inf_section_plan.h"
#include "install_section.h"
#include "services_section.h"
#include "software_settings_section.h"

namespace quillmere {
namespace {

using content_check::countChar;
using content_check::linesOf;
using Lines = std::vector<std::string>;

TEST(FourSectionKinds, HaveTheirLengthsLineCountsAndOneClosingCrLf) {
    struct Expected {
        std::string (*build)(ChipFamily);
        std::array<std::size_t, 8> lengths, lines;
    };
    const Expected kinds[] = {
        {buildInstallContent, {547, 547, 547, 551, 515, 508, 524, 519}, {10, 10, 10, 10, 9, 9, 9, 9}},
        {buildSoftwareSettingsContent, {251, 251, 212, 212, 168, 237, 171, 209}, {6, 6, 5, 5, 4, 6, 4, 5}},
        {buildServicesContent, {171, 171, 171, 171, 171, 171, 171, 171}, {2, 2, 2, 2, 2, 2, 2, 2}},
        {buildGeneralConfigContent, {68, 68, 68, 68, 68, 68, 68, 68}, {2, 2, 2, 2, 2, 2, 2, 2}},
    };
    for (const Expected& kind : kinds) {
        for (ChipFamily family : kChipFamilies) {
            const std::string content = kind.build(family);
            SCOPED_TRACE(content.substr(0, 20) + " " + std::string(familyName(family)));
            EXPECT_EQ(content.size(), kind.lengths[familyIndex(family)]);
            EXPECT_EQ(static_cast<std::size_t>(countChar(content, '\0')), kind.lines[familyIndex(family)]);
            EXPECT_TRUE(content.ends_with(std::string("\0\r\n", 3)));
            EXPECT_EQ(countChar(content, '\r') + countChar(content, '\n'), 2);
            for (const std::string& line : linesOf(content)) EXPECT_NE(line, "");
        }
    }
}

TEST(ServicesAndConfig, AreTheSameExactLinesForEveryFamily) {
    for (ChipFamily family : kChipFamilies) {
        EXPECT_EQ(
            linesOf(buildServicesContent(family)),
            (Lines{
                "AddService = ati2mtag, 0x00000002, ati2mtag_Service_Inst, ati2mtag_EventLog_Inst",
                "AddService = Ati HotKey Poller,, Ati2evxx_Generic_Service_Inst, Ati2evxx_EventLog_Inst "}));
        EXPECT_EQ(linesOf(buildGeneralConfigContent(family)),
                  (Lines{"MaximumDeviceMemoryConfiguration = 128", "MaximumNumberOfDevices = 4"}));
    }
}

TEST(InstallSection, DiffersBetweenFamiliesOnlyWhereTabled) {
    const Lines m9 = linesOf(buildInstallContent(ChipFamily::M9));
    Lines m9plus = linesOf(buildInstallContent(ChipFamily::M9plus));
    ASSERT_EQ(m9plus.size(), 10u);
    EXPECT_EQ(m9plus[8],
              "CleanReg=ati2mtag_SoftwareDeviceSettings, ati2mtag_M9plus_SoftwareDeviceSettings, "
              "atioglxx_OpenGLSoftwareSettings");
    m9plus[8] = m9[8];
    EXPECT_EQ(m9plus, m9);  // CleanReg is the only difference

    EXPECT_EQ(linesOf(buildInstallContent(ChipFamily::M6))[3], "DelReg = ati2mtag.DelReg");
    for (ChipFamily family : {ChipFamily::M10, ChipFamily::M10plus, ChipFamily::RS200M, ChipFamily::U1}) {
        EXPECT_EQ(buildInstallContent(family).find("DelReg"), std::string::npos) << familyName(family);
    }
    // A semicolon starts a comment in the file, but the text after it is still written.
    EXPECT_TRUE(
        linesOf(buildInstallContent(ChipFamily::M10))[1].ends_with("Uninstall.CopyFiles ;, DVCR.CopyCodec"));
    EXPECT_TRUE(
        linesOf(buildInstallContent(ChipFamily::U1))[1].ends_with("Uninstall.CopyFiles;,DVCR.CopyCodec"));
}

TEST(SoftwareSettingsSection, SharesM9sListAndKeepsM10plusOrder) {
    EXPECT_EQ(buildSoftwareSettingsContent(ChipFamily::M9plus), buildSoftwareSettingsContent(ChipFamily::M9));
    EXPECT_EQ(
        linesOf(buildSoftwareSettingsContent(ChipFamily::M10plus)),
        (Lines{"AddReg = ati2mtag_SoftwareDeviceSettings", "AddReg = ati2mtag_M10GL_SoftwareDeviceSettings",
               "DelReg = ati2mtag_RemoveDeviceSettings", "AddReg = ati2mtag_SoftwareDesktopSettings",
               "DelReg = FGL_OGLSoftwareSettings", "AddReg = FGL_OGLSoftwareSettings"}));
}

TEST(InfSectionPlan, WritesFortyOneNamedSectionsInOrderWithTheirContents) {
    const char* const families[] = {"M6", "M7", "M9", "M9plus", "M10", "M10plus", "RS200M", "U1"};
    const struct {
        const char* suffix;
        std::string (*build)(ChipFamily);
    } kinds[] = {{"", buildInstallContent},
                 {".Services", buildServicesContent},
                 {".SoftwareSettings", buildSoftwareSettingsContent},
                 {"_SoftwareDeviceSettings", buildDeviceSettingsContent},
                 {".GeneralConfigData", buildGeneralConfigContent}};
    const std::vector<InfSection> sections = buildInfSections();
    ASSERT_EQ(sections.size(), 41u);
    EXPECT_EQ(sections[0].name, "ATI.Mfg");
    EXPECT_EQ(sections[0].content, buildManufacturerContent());
    std::size_t at = 1;
    for (const auto& kind : kinds) {
        for (std::size_t f = 0; f < 8; ++f, ++at) {
            EXPECT_EQ(sections[at].name, std::string("ati2mtag_") + families[f] + kind.suffix);
            EXPECT_EQ(sections[at].content, kind.build(kChipFamilies[f])) << sections[at].name;
        }
    }
}

}  // namespace
}  // namespace quillmere
