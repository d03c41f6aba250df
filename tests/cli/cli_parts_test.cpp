// The command line's own small parts: SHA-256 against the standard's vectors, the JSON writer's
// escaping, and the unified diff against a plain LCS and against patch(1).

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "json_writer.h"
#include "sha256.h"
#include "temp_dir.h"
#include "unified_diff.h"

using namespace quillmere::cli;
using quillmere::testing::readBytes;
using quillmere::testing::TempDir;
using quillmere::testing::writeBytes;

namespace {

std::string hexOf(const std::array<std::uint8_t, 32>& digest) {
    std::string out;
    for (const std::uint8_t b : digest) {
        static constexpr char kHex[] = "0123456789abcdef";
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 15]);
    }
    return out;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

// Lines a shortest edit script deletes plus inserts, by dynamic programming.
std::size_t editDistance(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::vector<std::vector<std::size_t>> lcs(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;) {
        for (std::size_t j = b.size(); j-- > 0;) {
            lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
        }
    }
    return a.size() + b.size() - 2 * lcs[0][0];
}

std::size_t changedLines(const std::string& diff) {
    std::size_t n = 0;
    for (const std::string& line : linesOf(diff)) {
        if ((line[0] == '+' && !line.starts_with("+++ ")) || (line[0] == '-' && !line.starts_with("--- ")))
            ++n;
    }
    return n;
}

// A text of lines from a small alphabet, so that equal lines recur; CR LF, LF and an unended
// last line mixed.
std::string randomText(std::mt19937& random, std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        text += "line " + std::to_string(random() % 6);
        const auto end = random() % 8;
        if (i + 1 == lines && end == 0) break;
        text += end == 1 ? "\n" : "\r\n";
    }
    return text;
}

std::string mutate(std::mt19937& random, const std::string& text) {
    auto lines = linesOf(text);
    const auto edits = random() % 6;
    for (unsigned e = 0; e < edits; ++e) {
        const std::size_t at = lines.empty() ? 0 : random() % (lines.size() + 1);
        switch (random() % 3) {
            case 0:
                lines.insert(lines.begin() + static_cast<long>(at),
                             "new " + std::to_string(random() % 4) + "\r\n");
                break;
            case 1:
                if (at < lines.size()) lines.erase(lines.begin() + static_cast<long>(at));
                break;
            default:
                if (at < lines.size()) lines[at] = "changed\r\n";
                break;
        }
    }
    std::string out;
    for (const auto& line : lines) out += line;
    return out;
}

bool havePatch() {
#ifdef _WIN32
    return false;
#else
    return std::system("patch --version >/dev/null 2>&1") == 0;
#endif
}

}  // namespace

TEST(Sha256, MatchesTheStandardsVectorsWhateverTheChunks) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmn"
                        "opqrlmnopqrsmnopqrstnopqrstu"),
              "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    // A million "a", fed in pieces of odd sizes that straddle the 64-byte blocks.
    Sha256 hash;
    const std::string a(1000, 'a');
    std::size_t fed = 0;
    for (std::size_t piece = 1; fed < 1000000; piece = piece * 7 % 997 + 1) {
        const std::size_t n = std::min(piece, 1000000 - fed);
        hash.update(std::string_view(a).substr(0, n));
        fed += n;
    }
    EXPECT_EQ(hexOf(hash.finish()), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(JsonWriter, EscapesEveryTextIntoValidJson) {
    EXPECT_EQ(jsonString("plain"), "\"plain\"");
    EXPECT_EQ(jsonString("q\"b\\s/"), "\"q\\\"b\\\\s/\"");
    EXPECT_EQ(jsonString(std::string("\r\n\t\x01\x7f\0", 6)), "\"\\r\\n\\t\\u0001\\u007f\\u0000\"");
    EXPECT_EQ(jsonString("gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80"),
              "\"gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80\"");
    // Bytes of a non-UTF-8 code page, a cut sequence, an overlong form and a surrogate: each
    // byte that belongs to no well-formed sequence stands for itself.
    EXPECT_EQ(jsonString("Gr\xfc\xdf"), "\"Gr\\u00fc\\u00df\"");
    EXPECT_EQ(jsonString("\xe2\x82"), "\"\\u00e2\\u0082\"");
    EXPECT_EQ(jsonString("\xc0\xaf"), "\"\\u00c0\\u00af\"");
    EXPECT_EQ(jsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");

    JsonWriter json;
    json.beginObject().key("a").value(1).key("b").beginArray().value("x").null().value(true).endArray();
    json.key("c").beginObject().endObject().key("d").beginArray().endArray().endObject();
    EXPECT_EQ(
        json.str(),
        "{\n  \"a\": 1,\n  \"b\": [\n    \"x\",\n    null,\n    true\n  ],\n  \"c\": {},\n  \"d\": []\n}\n");
}

TEST(UnifiedDiff, IsAShortestEditAndPatchGivesBackTheNewBytes) {
    EXPECT_EQ(unifiedDiff("a/x", "b/x", "same\r\n", "same\r\n"), "");
    EXPECT_EQ(unifiedDiff("a/x", "b/x", "one\n", "one"),
              "--- a/x\n+++ b/x\n@@ -1,1 +1,1 @@\n-one\n+one\n\\ No newline at end of file\n");
    EXPECT_EQ(unifiedDiff("a/x", "b/x", "", "new\r\n"), "--- a/x\n+++ b/x\n@@ -0,0 +1,1 @@\n+new\r\n");

    const bool patch = havePatch();
    std::mt19937 random(12);
    TempDir dir;
    for (int round = 0; round < 200; ++round) {
        const std::string before = randomText(random, random() % 40);
        const std::string after = mutate(random, before);
        const std::string diff = unifiedDiff("a/f", "b/f", before, after, static_cast<int>(random() % 4));
        SCOPED_TRACE("round " + std::to_string(round) + "\n" + diff);
        ASSERT_EQ(changedLines(diff), editDistance(linesOf(before), linesOf(after)));
        if (!patch || round % 5 != 0 || diff.empty()) continue;
        writeBytes(dir.path() / "f", before);
        writeBytes(dir.path() / "f.diff", diff);
        const std::string command =
            "patch -s -p1 -d '" + dir.str() + "' < '" + (dir.path() / "f.diff").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        ASSERT_EQ(readBytes(dir.path() / "f"), after);
    }
    if (!patch) GTEST_SKIP() << "patch(1) is not installed: only the edit lengths were checked";
}

TEST(UnifiedDiff, LongFilesWithScatteredEditsAndTotallyDifferentFiles) {
    std::string before, after;
    for (int i = 0; i < 12000; ++i) {
        before += "key" + std::to_string(i) + " = value\r\n";
        after += (i % 40 == 7 ? "key" + std::to_string(i) + " = other\r\n"
                              : "key" + std::to_string(i) + " = value\r\n");
        if (i % 500 == 3) after += "inserted " + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(changedLines(unifiedDiff("a", "b", before, after)), 2 * 300 + 24);
    // Nothing in common: every line goes and every line comes.
    std::string other;
    for (int i = 0; i < 3000; ++i) other += "x" + std::to_string(i) + "\n";
    EXPECT_EQ(changedLines(unifiedDiff("a", "b", before.substr(0, 60000), other)),
              linesOf(before.substr(0, 60000)).size() + 3000);
}
