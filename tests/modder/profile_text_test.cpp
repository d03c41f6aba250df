// Edits of profile text: what changes, what stays byte for byte, and the read buffer's limits.

#include "profile_text.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using quillmere::profile::findSection;
using quillmere::profile::readSection;
using quillmere::profile::splitContent;
using quillmere::profile::writeKey;
using quillmere::profile::writeSection;

namespace {

std::string section(std::string text, std::string_view name, std::string_view content) {
    writeSection(text, name, content);
    return text;
}

std::string key(std::string text, std::string_view sec, std::string_view k, std::string_view v) {
    writeKey(text, sec, k, v);
    return text;
}

// The buffer as the caller sees it: `count` characters and the NULs the read put after them.
std::string readAll(std::string_view text, std::string_view name, std::uint32_t size,
                    std::uint32_t* result = nullptr) {
    std::string buffer(size, '#');
    const auto n = readSection(text, name, buffer.data(), size);
    if (result) *result = n;
    return buffer;
}

}  // namespace

TEST(FindSection, MatchesWithoutLetterCaseAndTakesTheFirstOfDuplicates) {
    const std::string text = "top=1\r\n[ati.mfg]\r\na=1\r\n[Other]\r\n[ATI.MFG]\r\nb=2\r\n";
    const auto at = findSection(text, "ATI.Mfg");
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(at->headerBegin, text.find("[ati.mfg]"));
    EXPECT_EQ(text.substr(at->bodyBegin, at->bodyEnd - at->bodyBegin), "a=1\r\n");
}

TEST(FindSection, HeaderNeedsLeadingBracketAndAClosingOne) {
    EXPECT_TRUE(findSection(" \t[WIN2K] ; comment\r\n", "WIN2K").has_value());
    EXPECT_FALSE(findSection("[WIN2K\r\n", "WIN2K").has_value());
    EXPECT_FALSE(findSection("x[WIN2K]\r\n", "WIN2K").has_value());
    EXPECT_FALSE(findSection("[WIN2K]\r\n", "WIN2").has_value());
}

TEST(SplitContent, EntriesEndAtNulAndTheListAtAnEmptyEntry) {
    EXPECT_EQ(splitContent("a\0b\0\0c\0"s), (std::vector<std::string_view>{"a", "b"}));
    EXPECT_EQ(splitContent("a\0\r\n"s), (std::vector<std::string_view>{"a", "\r\n"}));
    EXPECT_EQ(splitContent("\r\nx \0"s), (std::vector<std::string_view>{"\r\nx "}));
    EXPECT_TRUE(splitContent(""s).empty());
    EXPECT_TRUE(splitContent("\0a\0"s).empty());
}

TEST(WriteSection, ReplacesTheBodyInPlaceUnderTheExistingHeader) {
    const std::string before = "; head\r\n[ati.mfg]\r\nold1\r\n\r\nold2\r\n[Next]\r\nkeep\r\n";
    EXPECT_EQ(section(before, "ATI.Mfg", "new1\0new2\0"s),
              "; head\r\n[ati.mfg]\r\nnew1\r\nnew2\r\n[Next]\r\nkeep\r\n");
}

TEST(WriteSection, AppendsAMissingSectionAfterTheLastLine) {
    EXPECT_EQ(section("[A]\r\nx=1\r\n", "B", "y\0"s), "[A]\r\nx=1\r\n[B]\r\ny\r\n");
    // The unended last line gets its CR LF first.
    EXPECT_EQ(section("[A]\r\nx=1", "B", "y\0"s), "[A]\r\nx=1\r\n[B]\r\ny\r\n");
    EXPECT_EQ(section("", "B", "y\0"s), "[B]\r\ny\r\n");
}

TEST(WriteSection, EntriesReachTheFileCharacterForCharacter) {
    // Leading CR LF gives an empty line first, CR LF alone a further empty line, blanks stay.
    EXPECT_EQ(section("[S]\r\n", "S", "\r\nfirst \0second\0\r\n"s),
              "[S]\r\n\r\nfirst \r\nsecond\r\n\r\n\r\n");
    // One entry holding several lines, no NUL at all.
    EXPECT_EQ(section("[S]\r\n", "S", "l1\r\nl2\r\n"), "[S]\r\nl1\r\nl2\r\n\r\n");
}

TEST(WriteSection, WritingTwiceEqualsWritingOnce) {
    const std::string base = "[A]\r\na\r\n[S]\r\nold\r\n[Z]\r\nz\r\n";
    const std::string once = section(base, "S", "v1\0v2\0\r\n"s);
    EXPECT_EQ(section(once, "s", "v1\0v2\0\r\n"s), once);
    EXPECT_EQ(once.find("[S]"), base.find("[S]"));
}

TEST(WriteSection, KeepsLineEndsThatAreInTheFile) {
    EXPECT_EQ(section("a\n[S]\nold\n[T]\nt\n", "S", "n\0"s), "a\n[S]\nn\r\n[T]\nt\n");
}

TEST(WriteSection, HeaderThatIsTheUnendedLastLineGetsItsLineEnd) {
    EXPECT_EQ(section("x=1\r\n[S]", "S", "a\0"s), "x=1\r\n[S]\r\na\r\n");
}

TEST(WriteKey, ReplacesTheWholeLineOfTheKeyWhateverItsCase) {
    EXPECT_EQ(key("[WIN2K]\r\nA=1\r\n  r6 = old value\r\nB=2\r\n", "win2k", "R6", "new"),
              "[WIN2K]\r\nA=1\r\nR6=new\r\nB=2\r\n");
}

TEST(WriteKey, AddsTheLineAfterTheLastNonEmptyLineOfTheSection) {
    EXPECT_EQ(key("[WIN2K]\r\nA=1\r\n\r\n  \r\n[WINXP]\r\n", "WIN2K", "R6", "v"),
              "[WIN2K]\r\nA=1\r\nR6=v\r\n\r\n  \r\n[WINXP]\r\n");
    EXPECT_EQ(key("[WIN2K]\r\n\r\n[WINXP]\r\n", "WIN2K", "R6", "v"), "[WIN2K]\r\nR6=v\r\n\r\n[WINXP]\r\n");
    EXPECT_EQ(key("[WIN2K]\r\nA=1", "WIN2K", "R6", "v"), "[WIN2K]\r\nA=1\r\nR6=v\r\n");
    EXPECT_EQ(key("[WIN2K]", "WIN2K", "R6", "v"), "[WIN2K]\r\nR6=v\r\n");
}

TEST(WriteKey, AppendsAMissingSectionWithItsOneLine) {
    EXPECT_EQ(key("[A]\r\nx=1", "WIN2K", "R6", "v"), "[A]\r\nx=1\r\n[WIN2K]\r\nR6=v\r\n");
}

TEST(WriteKey, CommentsAndLinesWithoutEqualsSignAreNoKeys) {
    EXPECT_EQ(key("[S]\r\n;R6=c\r\nR6\r\n", "S", "R6", "v"), "[S]\r\n;R6=c\r\nR6\r\nR6=v\r\n");
}

TEST(WriteKey, ALongValueStaysOnOneLine) {
    const std::string value(1365, 'v');
    const std::string text = key("", "WIN2K", "R6", value);
    EXPECT_EQ(text, "[WIN2K]\r\nR6=" + value + "\r\n");
}

TEST(ReadSection, TrimsLinesLeavesOutEmptyOnesAndKeepsComments) {
    std::uint32_t n = 0;
    const std::string buffer =
        readAll("[S]\r\n  a = 1 \r\n\r\n \t\r\n;note\r\nb\r\n[T]\r\nc\r\n", "s", 32, &n);
    EXPECT_EQ(n, 14u);
    EXPECT_EQ(buffer.substr(0, 15), "a = 1\0;note\0b\0\0"s);
    EXPECT_EQ(buffer.substr(15), std::string(17, '#'));  // past the closing NUL: untouched
}

TEST(ReadSection, MissingSectionGivesZeroAndALeadingNul) {
    std::uint32_t n = 99;
    const std::string buffer = readAll("[A]\r\nx\r\n", "ATI.Mfg", 8, &n);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(buffer, "\0#######"s);
}

TEST(ReadSection, LinesThatDoNotFitAreCutToSizeMinusTwo) {
    std::string text = "[ATI.Mfg]\r\n";
    for (int i = 0; i < 30; ++i) text += "\"Mobility Radeon line number " + std::to_string(i) + "\" = x\r\n";
    std::uint32_t n = 0;
    const std::string buffer = readAll(text, "ATI.Mfg", 1024, &n);
    EXPECT_EQ(n, 1022u);
    EXPECT_EQ(buffer.substr(0, 3), "\"Mo");
    EXPECT_EQ(buffer.substr(1022), "\0\0"s);
    EXPECT_NE(buffer[1021], '\0');  // the cut line runs right up to the NUL pair
}

TEST(ReadSection, ExactFitIsNoCut) {
    std::uint32_t n = 0;
    // "abc" NUL "de" NUL NUL: 8 characters.
    EXPECT_EQ(readAll("[S]\r\nabc\r\nde\r\n", "S", 8, &n), "abc\0de\0\0"s);
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(readAll("[S]\r\nabc\r\nde\r\n", "S", 7, &n), "abc\0d\0\0"s);
    EXPECT_EQ(n, 5u);
}

TEST(ReadSection, TinyBuffersStayInsideTheirBounds) {
    std::uint32_t n = 9;
    EXPECT_EQ(readAll("[S]\r\nabc\r\n", "S", 1, &n), "\0"s);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(readAll("[S]\r\nabc\r\n", "S", 2, &n), "\0\0"s);
    EXPECT_EQ(n, 0u);
    char untouched = '#';
    EXPECT_EQ(readSection("[S]\r\nabc\r\n", "S", &untouched, 0), 0u);
    EXPECT_EQ(untouched, '#');
}
