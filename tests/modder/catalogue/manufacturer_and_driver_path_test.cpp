#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "content_entries.h"
#include "device_catalogue.h"
#include "driver_path_value.h"

namespace quillmere {
namespace {

using content_check::countChar;
using content_check::splitAt;

TEST(ManufacturerContent, IsEighteenCrLfEndedModelsLinesWithoutNul) {
    const std::string content = buildManufacturerContent();
    EXPECT_EQ(content.size(), 1095u);
    EXPECT_EQ(countChar(content, '\0'), 0);
    EXPECT_EQ(countChar(content, '\r'), 18);
    EXPECT_EQ(countChar(content, '\n'), 18);
    EXPECT_TRUE(content.starts_with("\"Mobility Fire GL 9000"));  // "\"Mo" marks a modified package
    EXPECT_TRUE(content.ends_with("DEV_4E54 \r\n"));

    std::vector<std::string> lines = splitAt(content, "\r\n");
    EXPECT_EQ(lines.back(), "");
    lines.pop_back();
    ASSERT_EQ(lines.size(), 18u);
    // One blank after '=', after the comma and at the end; M9plus has no device line.
    const std::regex modelsLine(
        R"("[^"]+"= ati2mtag_(M6|M7|M9|M10|M10plus|RS200M|U1), PCI\\VEN_1002&DEV_[0-9A-F]{4} )");
    for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, modelsLine)) << line;
    EXPECT_EQ(lines[16], "\"ATI MOBILITY FIRE GL T2\"= ati2mtag_M10, PCI\\VEN_1002&DEV_4E50 ");
    EXPECT_EQ(lines[17], "\"ATI MOBILITY FIRE GL T2 \"= ati2mtag_M10plus, PCI\\VEN_1002&DEV_4E54 ");
}

TEST(DeviceCatalogue, PairsFamiliesAndDeviceIdsLineByLine) {
    // Swapping two stems of equal length would leave every length intact; this catches it.
    std::string pairs;
    for (const DeviceEntry& entry : deviceCatalogue()) {
        pairs += std::string(familyName(entry.family)) + ":" + std::string(entry.deviceId) + " ";
    }
    EXPECT_EQ(pairs,
              "M9:4C64 M9:4C66 M9:4C65 M9:4C67 M6:4C59 M6:4C5A M7:4C57 M7:4C58 RS200M:4337 RS200M:4337 "
              "U1:4136 U1:4336 M10:4E50 M10:4E52 M9:5C63 M9:5C61 M10:4E50 M10plus:4E54 ");
}

TEST(DriverPathValue, HasItsLengthEndsAndSingleBlank) {
    const std::string value = buildDriverPathValue();
    EXPECT_EQ(value.size(), 1365u);
    EXPECT_TRUE(value.starts_with("DriverPath_R6,0x4966:0x9A021509"));
    EXPECT_TRUE(value.ends_with("0x4E54,0x4E50"));
    EXPECT_EQ(countChar(value, ' '), 1);
    EXPECT_NE(value.find("0x4164:0x00031002, 0x496e:0x000310F1"), std::string::npos);
    EXPECT_EQ(value.find("4336"), std::string::npos);
    for (const char* mixedCase : {"0x496e,", "0x496E:", "0x514c,", "0x514C:", "0x003a1002", "0x013b1002"}) {
        EXPECT_NE(value.find(mixedCase), std::string::npos) << mixedCase;
    }
}

TEST(DriverPathValue, Holds94WellFormedEntriesEndingWithTheCatalogueIds) {
    const std::vector<std::string> fields = splitAt(buildDriverPathValue(), ",");
    ASSERT_EQ(fields.size(), 95u);
    EXPECT_EQ(fields[0], "DriverPath_R6");
    EXPECT_EQ(fields[65], " 0x496e:0x000310F1");
    const std::regex entry(" ?0x[0-9A-Fa-f]{4}(:0x[0-9A-Fa-f]{8})?");
    int withSubsystem = 0;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        EXPECT_TRUE(std::regex_match(fields[i], entry)) << i << ": " << fields[i];
        withSubsystem += fields[i].find(':') != std::string::npos;
    }
    EXPECT_EQ(withSubsystem, 63);
    // The last 16 entries are the catalogue's own IDs: 4E50 twice, 4336 not at all.
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 79, fields.end()),
              (std::vector<std::string>{"0x4C64", "0x4C65", "0x4C66", "0x4C67", "0x4C57", "0x4C5A", "0x4C58",
                                        "0x4C59", "0x4337", "0x4136", "0x4E50", "0x4E52", "0x5C63", "0x5C61",
                                        "0x4E54", "0x4E50"}));
}

}  // namespace
}  // namespace quillmere
