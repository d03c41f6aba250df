// Edits on generated files (mixed-case and duplicate headers, empty lines, LF-only lines, no
// final line end): everything outside the changed section or line stays byte-identical, and a
// read gives back what was written.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "profile_text.h"

using namespace quillmere::profile;

namespace {

const std::vector<std::string> kNames = {"WIN2K", "WINXP", "ATI.Mfg", "Strings", "ati2mtag_M6", "Version"};

class ProfileGenerator {
  public:
    explicit ProfileGenerator(unsigned seed) : random_(seed) {}

    std::string name() { return mixCase(kNames[pick(kNames.size())]); }

    std::string text() {
        std::string out;
        if (chance(3)) out += "; before any section" + lineEnd();
        const std::size_t sections = pick(6);
        for (std::size_t s = 0; s < sections; ++s) {
            out += std::string(pick(2), ' ') + "[" + name() + "]" + (chance(4) ? " ; note" : "") + lineEnd();
            const std::size_t lines = pick(5);
            for (std::size_t l = 0; l < lines; ++l) out += bodyLine() + lineEnd();
        }
        if (!out.empty() && chance(3))
            out.erase(out.size() -
                      (out.back() == '\n' && out.size() > 1 && out[out.size() - 2] == '\r' ? 2 : 1));
        return out;
    }

    std::string entry() {
        static const char kChars[] = "abcXYZ019=,;\"% .";
        std::string e(1, 'k');
        const std::size_t n = pick(12);
        for (std::size_t i = 0; i < n; ++i) e.push_back(kChars[pick(sizeof kChars - 1)]);
        e.push_back('z');  // no blank at either end, so a read gives the entry back unchanged
        return e;
    }

    std::size_t pick(std::size_t n) { return n == 0 ? 0 : random_() % n; }
    bool chance(unsigned oneIn) { return random_() % oneIn == 0; }

  private:
    std::string mixCase(std::string s) {
        for (char& c : s) {
            if (chance(2))
                c = static_cast<char>(std::islower(static_cast<unsigned char>(c)) ? std::toupper(c)
                                                                                  : std::tolower(c));
        }
        return s;
    }
    std::string lineEnd() { return chance(4) ? "\n" : "\r\n"; }
    std::string bodyLine() {
        switch (pick(5)) {
            case 0:
                return "";
            case 1:
                return "  ";
            case 2:
                return ";comment=" + entry();
            case 3:
                return mixCase("r6") + " = " + entry();
            default:
                return entry() + "=" + entry();
        }
    }

    std::mt19937 random_;
};

std::vector<std::string> readBack(const std::string& text, const std::string& name) {
    std::string buffer(1 << 16, '\0');
    readSection(text, name, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    std::vector<std::string> entries;
    for (std::size_t pos = 0; buffer[pos] != '\0'; pos += entries.back().size() + 1) {
        entries.emplace_back(buffer.c_str() + pos);
    }
    return entries;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

bool isUnended(const std::string& text) {
    return !text.empty() && text.back() != '\n';
}

}  // namespace

TEST(ProfileProperties, SectionWriteChangesOnlyThatSectionsBody) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        ProfileGenerator gen(seed);
        const std::string before = gen.text();
        const std::string name = gen.name();
        std::vector<std::string> entries;
        std::string content;
        for (std::size_t i = 0, n = gen.pick(5); i < n; ++i) {
            entries.push_back(gen.entry());
            content += entries.back() + '\0';
        }
        std::string after = before;
        writeSection(after, name, content);

        std::string body;
        for (const auto& e : entries) body += e + "\r\n";
        if (const auto at = findSection(before, name)) {
            // The header line ends (when it was the unended last line), then the new body.
            const std::string head = before.substr(0, at->bodyBegin) +
                                     (at->bodyBegin == before.size() && isUnended(before) ? "\r\n" : "");
            ASSERT_EQ(after, head + body + before.substr(at->bodyEnd)) << "seed " << seed;
        } else {
            ASSERT_EQ(after, before + (isUnended(before) ? "\r\n" : "") + "[" + name + "]\r\n" + body)
                << "seed " << seed;
        }
        ASSERT_EQ(readBack(after, name), entries) << "seed " << seed;
    }
}

TEST(ProfileProperties, KeyWriteChangesOrAddsExactlyOneLine) {
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        ProfileGenerator gen(seed);
        const std::string before = gen.text();
        const std::string name = gen.name();
        const std::string value = gen.entry();
        std::string after = before;
        writeKey(after, name, "R6", value);

        // Compare line lists, ignoring the line end that an unended last line may have gained.
        auto a = linesOf(before);
        auto b = linesOf(after);
        if (isUnended(before)) a.back() += "\r\n";
        if (isUnended(after)) b.back() += "\r\n";
        if (!findSection(before, name)) {
            ASSERT_EQ(b.size(), a.size() + 2) << "seed " << seed;
            ASSERT_EQ(std::vector<std::string>(b.begin(), b.begin() + static_cast<long>(a.size())), a)
                << "seed " << seed;
        } else {
            std::size_t first = 0;
            while (first < a.size() && first < b.size() && a[first] == b[first]) ++first;
            std::size_t ra = a.size(), rb = b.size();
            while (ra > first && rb > first && a[ra - 1] == b[rb - 1]) {
                --ra;
                --rb;
            }
            // Either one line replaced (1 vs 1) or one inserted (0 vs 1).
            ASSERT_LE(ra - first, 1u) << "seed " << seed;
            ASSERT_EQ(rb - first, 1u) << "seed " << seed;
            ASSERT_EQ(b[first].substr(0, 3 + value.size()), "R6=" + value) << "seed " << seed;
        }
        std::vector<std::string> read = readBack(after, name);
        ASSERT_NE(std::find(read.begin(), read.end(), "R6=" + value), read.end()) << "seed " << seed;
    }
}
