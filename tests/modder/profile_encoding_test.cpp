// UTF-16 LE profile files stay UTF-16 LE, byte for byte where nothing was edited.

#include "profile_encoding.h"

#include <gtest/gtest.h>

#include <random>

#include "profile_text.h"

using namespace std::string_literals;
using namespace quillmere::profile;

namespace {

std::string utf16(std::u16string_view text, bool bom = true) {
    std::string bytes = bom ? "\xFF\xFE"s : ""s;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace

TEST(ProfileEncoding, EightBitFilesPassThroughUnchanged) {
    const std::string bytes = "[S]\r\n\xE9\xFF\x00x"s;
    const DecodedProfile decoded = decodeProfile(bytes);
    EXPECT_EQ(decoded.encoding, FileEncoding::Bytes8);
    EXPECT_EQ(encodeProfile(decoded), bytes);
}

TEST(ProfileEncoding, AnyUtf16UnitSequenceRoundTrips) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::u16string units;
        for (int i = 0, n = static_cast<int>(random() % 64); i < n; ++i) {
            // Lone surrogates, NUL and units of every width included.
            units.push_back(static_cast<char16_t>(random() % 3 == 0 ? random() % 0x80 : random() % 0x10000));
        }
        std::string bytes = utf16(units);
        if (round % 5 == 0) bytes.push_back('\x41');  // odd length: a lone last byte
        ASSERT_EQ(encodeProfile(decodeProfile(bytes)), bytes) << "round " << round;
    }
}

TEST(ProfileEncoding, EditsOfAUtf16FileAreWrittenAsUtf16) {
    DecodedProfile decoded = decodeProfile(utf16(u"[Straße]\r\nk=\u20AC\r\n[WIN2K]\r\nold=1\r\n"));
    ASSERT_EQ(decoded.encoding, FileEncoding::Utf16Le);
    writeKey(decoded.text, toEditText(decoded.encoding, "win2k"), toEditText(decoded.encoding, "R6"),
             toEditText(decoded.encoding, "val\xE9"));
    EXPECT_EQ(encodeProfile(decoded), utf16(u"[Straße]\r\nk=\u20AC\r\n[WIN2K]\r\nold=1\r\nR6=val\u00E9\r\n"));
}

TEST(ProfileEncoding, ReadingAUtf16FileGivesEightBitText) {
    const DecodedProfile decoded = decodeProfile(utf16(u"[S]\r\na=\u00E9\u20AC\r\n"));
    EXPECT_EQ(fromEditText(decoded.encoding, decoded.text), "[S]\r\na=\xE9?\r\n");
}

TEST(ProfileEncoding, AUtf8MarkStaysButHidesNoHeaderOnTheFirstLine) {
    const std::string mark = "\xEF\xBB\xBF";
    std::string text = mark + "[ATI.Mfg]\r\n\"Old\" = x\r\n[Strings]\r\n";
    char buffer[32] = {};
    EXPECT_EQ(readSection(text, "ati.mfg", buffer, sizeof buffer), 10u);
    EXPECT_EQ(std::string(buffer), "\"Old\" = x");

    writeSection(text, "ATI.Mfg", "\"Mo\0"s);
    writeKey(text, "ATI.Mfg", "R6", "v");
    // Replaced in place under the marked header: no second [ATI.Mfg] appended.
    EXPECT_EQ(text, mark + "[ATI.Mfg]\r\n\"Mo\r\nR6=v\r\n[Strings]\r\n");
    // Only at the very start of the file does the mark stand aside.
    std::string later = "[A]\r\n" + mark + "[B]\r\nk=1\r\n";
    writeKey(later, "B", "k", "2");
    EXPECT_EQ(later, "[A]\r\n" + mark + "[B]\r\nk=1\r\n[B]\r\nk=2\r\n");
}

TEST(ProfileEncoding, Utf16BigEndianIsRefusedNotGarbled) {
    const std::string bigEndian = "\xFE\xFF\0[\0S\0]"s;
    const std::error_code ec = checkEditable(bigEndian);
    ASSERT_TRUE(ec);
    EXPECT_EQ(ec.message(), "UTF-16 big-endian text is not supported");
    EXPECT_FALSE(checkEditable(utf16(u"[S]")));
    EXPECT_FALSE(checkEditable("\xFE"));
    EXPECT_FALSE(checkEditable(""));
}
