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
