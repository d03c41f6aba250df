#include "device_settings_section.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content_entries.h"

namespace quillmere {
namespace {

using content_check::countChar;
using content_check::linesOf;

// Positions of a value name's setting lines, whether or not a blank follows "HKR,,".
std::vector<std::size_t> positionsOf(const std::vector<std::string>& lines, const std::string& name) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("HKR,, " + name + ",") || lines[i].starts_with("HKR,," + name + ",")) {
            positions.push_back(i);
        }
    }
    return positions;
}

std::string lineOf(ChipFamily family, const std::string& name) {
    const std::vector<std::string> lines = linesOf(buildDeviceSettingsContent(family));
    const std::vector<std::size_t> at = positionsOf(lines, name);
    return at.empty() ? "<none>" : lines[at.front()];
}

TEST(DeviceSettingsContent, HasItsLengthLineCountAndLineBreaks) {
    const std::size_t lengths[] = {4097, 4152, 4155, 3565, 3544, 3503, 1874, 1560};
    const std::ptrdiff_t lines[] = {49, 50, 50, 51, 55, 54, 23, 19};
    const std::ptrdiff_t crs[] = {1, 3, 2, 2, 2, 2, 2, 2};
    for (ChipFamily family : kChipFamilies) {
        SCOPED_TRACE(std::string(familyName(family)));
        const std::string content = buildDeviceSettingsContent(family);
        const std::size_t f = familyIndex(family);
        EXPECT_EQ(content.size(), lengths[f]);
        EXPECT_EQ(countChar(content, '\0'), lines[f]);
        EXPECT_EQ(countChar(content, '\r'), crs[f]);
        EXPECT_EQ(countChar(content, '\n'), crs[f]);
        EXPECT_EQ(content.starts_with("\r\n"), family == ChipFamily::M7);
        EXPECT_EQ(content.substr(content.rfind('\0')),
                  family == ChipFamily::M6 ? std::string("\0\r\n", 3) : std::string("\0\r\n\r\n", 5));
    }
    EXPECT_TRUE(
        buildDeviceSettingsContent(ChipFamily::M7).starts_with("\r\nHKR,, DALRULE_NOTVANDLCDONCRTC,"));
}

TEST(DeviceSettingsContent, WritesTheAlignedLinesExactly) {
    using enum ChipFamily;
    EXPECT_EQ(lineOf(M6, "DALRULE_NOTVANDLCDONCRTC"), "HKR,, DALRULE_NOTVANDLCDONCRTC,    %REG_DWORD%,    1");
    EXPECT_EQ(lineOf(M10, "DALRULE_NOTVANDLCDONCRTC"),
              "HKR,, DALRULE_NOTVANDLCDONCRTC,             %REG_DWORD%,    1");
    EXPECT_EQ(lineOf(M6, "DALOPTION_MinResBCD"),
              "HKR,, DALOPTION_MinResBCD,         %REG_BINARY%,   00,00,00,00,00,00,00,60");
    EXPECT_EQ(lineOf(RS200M, "DALR6 CRT_MaxModeInfo"),
              "HKR,, DALR6 CRT_MaxModeInfo, "
              "%REG_BINARY%,00,00,00,00,40,06,00,00,B0,04,00,00,00,00,00,00,3C,00,00,00");
    EXPECT_EQ(lineOf(M10, "MemInitLatencyTimer"),
              "HKR,, MemInitLatencyTimer,         %REG_DWORD%,    0x775771BF");
    EXPECT_EQ(lineOf(M9plus, "ATIPOLLINTERVAL"), "HKR,, ATIPOLLINTERVAL,             %REG_DWORD%,    2000");
    EXPECT_EQ(lineOf(U1, "DALRULE_GETLCDFakeEDID"), "HKR,, DALRULE_GETLCDFakeEDID,   %REG_DWORD%,    1");
    EXPECT_EQ(lineOf(M6, "DALRULE_GETLCDFAKEEDID"), "HKR,, DALRULE_GETLCDFAKEEDID, %REG_DWORD%, 0");
    EXPECT_EQ(lineOf(U1, "DALRULE_GETLCDFAKEEDID"), "<none>");
    EXPECT_EQ(lineOf(M9, "DALNonStandardModesBCD").substr(0, 37), "HKR,,DALNonStandardModesBCD,        %");
    const std::string runLine =
        "HKLM,\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\",ATIModeChange,,\"Ati2mdxx.exe\"";
    for (ChipFamily family : kChipFamilies) {
        EXPECT_EQ(std::ranges::count(linesOf(buildDeviceSettingsContent(family)), runLine), 1)
            << familyName(family);
    }
}

TEST(DeviceSettingsContent, WritesRepeatedAndMovedLinesWhereTabled) {
    const std::vector<std::string> m6 = linesOf(buildDeviceSettingsContent(ChipFamily::M6));
    const std::vector<std::size_t> dock = positionsOf(m6, "ExtEvent_LCDSetMaxResOnDockChg");
    ASSERT_EQ(dock.size(), 2u);
    EXPECT_EQ(dock[1], dock[0] + 1);
    EXPECT_EQ(m6[dock[0]], m6[dock[1]]);
    const std::vector<std::string> m10plus = linesOf(buildDeviceSettingsContent(ChipFamily::M10plus));
    EXPECT_EQ(positionsOf(m10plus, "R6LCD_RETURNALLBIOSMODES").size(), 2u);
    EXPECT_EQ(positionsOf(m10plus, "ExtEvent_RestoreLargeDesktopOnResume").size(), 2u);
    EXPECT_EQ(positionsOf(linesOf(buildDeviceSettingsContent(ChipFamily::U1)), "DALRULE_MOBILEFEATURES"),
              (std::vector<std::size_t>{0, 14}));
    EXPECT_EQ(linesOf(buildDeviceSettingsContent(ChipFamily::M9plus)).back(),
              "HKR,, DisableAGPWrite,               %REG_DWORD%,    1");
    // The slider pair swaps order after M7 and moves from rows 12-13 to rows 72-73.
    const std::vector<std::string> m7 = linesOf(buildDeviceSettingsContent(ChipFamily::M7));
    EXPECT_LT(positionsOf(m7, "DALRULE_ENABLESHOWDCLOWSLIDER")[0],
              positionsOf(m7, "DALRULE_ENABLESHOWACSLIDER")[0]);
    EXPECT_GT(positionsOf(m10plus, "DALRULE_ENABLESHOWDCLOWSLIDER")[0],
              positionsOf(m10plus, "DALRULE_ENABLESHOWACSLIDER")[0]);
}

TEST(DeviceSettingTables, BinaryCellsNameATextOfTheirValueAndFamily) {
    ASSERT_EQ(deviceSettingRows().size(), 79u);
    for (const DeviceSettingRow& row : deviceSettingRows()) {
        EXPECT_EQ(row.row, &row - deviceSettingRows().data() + 1);
        for (ChipFamily family : kChipFamilies) {
            const std::string_view cell = row.cells[familyIndex(family)];
            if (row.type != SettingType::Binary || cell.empty()) continue;
            const auto text = std::ranges::find(binaryTexts(), cell, &BinaryText::label);
            ASSERT_NE(text, binaryTexts().end()) << cell;
            EXPECT_EQ(text->valueName, row.valueName) << cell;
            const std::string families = ", " + std::string(text->families) + ",";
            EXPECT_NE(families.find(", " + std::string(familyName(family)) + ","), std::string::npos) << cell;
        }
    }
    for (const BinaryText& binary : binaryTexts()) {
        // Two digits per byte, commas between; B4 alone adds a blank after every eighth byte.
        const std::size_t blanks = binary.label == "B4" ? 11 : 0;
        EXPECT_EQ(binary.text.size(), static_cast<std::size_t>(binary.bytes) * 3 - 1 + blanks)
            << binary.label;
        EXPECT_EQ(countChar(binary.text, ','), binary.bytes - 1) << binary.label;
    }
}

}  // namespace
}  // namespace quillmere
