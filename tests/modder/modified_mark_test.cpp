// When a C2 INF counts as modded already: only this tool's [ATI.Mfg] at the top of the section,
// in an 8-bit or a UTF-16 file, letter case counting.

#include "modified_mark.h"

#include <gtest/gtest.h>

#include "device_catalogue.h"

using namespace std::string_literals;
using namespace quillmere;

namespace {

bool modified(const std::string& bytes) {
    return isAlreadyModified(profile::decodeProfile(bytes), buildManufacturerContent());
}

std::string utf16(std::string_view ascii) {
    std::string bytes = "\xFF\xFE"s;
    for (const char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

}  // namespace

TEST(ModifiedMark, OnlyTheSectionsFirstLineAsTheRunWritesItCounts) {
    const std::string ours = "[ATI.Mfg]\r\n" + buildManufacturerContent();
    EXPECT_TRUE(modified(ours));
    EXPECT_TRUE(modified("[Version]\r\n[ati.MFG]\r\n\r\n   \"Mobility X\" = y\r\n"));
    EXPECT_TRUE(modified(utf16("[ATI.Mfg]\r\n\"Mobility X\"=y\r\n")));

    EXPECT_FALSE(modified("[ATI.Mfg]\r\n\"MObility X\"=y\r\n"));
    EXPECT_FALSE(modified("[ATI.Mfg]\r\nRadeon=x\r\n\"Mobility X\"=y\r\n"));
    EXPECT_FALSE(modified("[Other]\r\n\"Mobility X\"=y\r\n"));
    EXPECT_FALSE(modified("\"Mobility X\"=y\r\n[ATI.Mfg]\r\n"));
    EXPECT_FALSE(modified(""));
    EXPECT_FALSE(modified(utf16("[ATI.Mfg]\r\n\"MO\"=y\r\n")));
}
