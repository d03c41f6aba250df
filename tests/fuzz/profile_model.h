#pragma once
// A deliberately plain second reading of profile text (lines, headers, sections, a section's
// entries) that the fuzzers hold the editor against. Slow and simple on purpose.

#include <cstdlib>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::fuzzing {

// What the current check is about, printed with a failure so that a finding reads without a debugger.
inline std::string& fuzzContext() {
    static std::string context;
    return context;
}

inline std::string escaped(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (u >= 0x20 && u < 0x7f) {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        }
    }
    return out;
}

// Stops the fuzzer with a message; libFuzzer keeps the input that got here.
#define FUZZ_CHECK(condition)                                                                         \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", __FILE__, __LINE__, #condition,       \
                         ::quillmere::fuzzing::fuzzContext().c_str());                                \
            std::abort();                                                                             \
        }                                                                                             \
    } while (false)

struct ModelLine {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // before "\r\n" or "\n"
    std::size_t end = 0;         // after the line end
};

inline std::vector<ModelLine> modelLines(std::string_view text) {
    std::vector<ModelLine> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        const std::size_t contentEnd = (i > begin && text[i - 1] == '\r') ? i - 1 : i;
        lines.push_back({begin, contentEnd, i + 1});
        begin = i + 1;
    }
    if (begin < text.size()) lines.push_back({begin, text.size(), text.size()});
    return lines;
}

inline std::string_view modelContent(std::string_view text, const ModelLine& line) {
    return text.substr(line.begin, line.contentEnd - line.begin);
}

inline bool modelBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view modelTrim(std::string_view s) {
    while (!s.empty() && modelBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && modelBlank(s.back())) s.remove_suffix(1);
    return s;
}

// "[name]" after optional blanks; the name runs to the first ']'.
inline std::optional<std::string_view> modelHeader(std::string_view content) {
    std::size_t i = 0;
    while (i < content.size() && modelBlank(content[i])) ++i;
    if (i == content.size() || content[i] != '[') return std::nullopt;
    const std::size_t close = content.find(']', i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return content.substr(i + 1, close - i - 1);
}

inline bool modelSameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Line indices of the first section of that name: its header, and one past its body's last line.
struct ModelSection {
    std::size_t header = 0;
    std::size_t end = 0;
};

// A line as a header is looked for in it: the first line without a leading UTF-8 mark.
inline std::string_view modelHeaderLine(std::string_view text, const ModelLine& line) {
    std::string_view content = modelContent(text, line);
    if (line.begin == 0 && content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    return content;
}

inline std::optional<ModelSection> modelFind(std::string_view text, const std::vector<ModelLine>& lines,
                                             std::string_view name) {
    for (std::size_t h = 0; h < lines.size(); ++h) {
        const auto header = modelHeader(modelHeaderLine(text, lines[h]));
        if (!header || !modelSameName(*header, name)) continue;
        std::size_t end = h + 1;
        while (end < lines.size() && !modelHeader(modelHeaderLine(text, lines[end]))) ++end;
        return ModelSection{h, end};
    }
    return std::nullopt;
}

// What a section read with room enough gives: each trimmed non-blank body line and its NUL,
// then the closing NUL.
inline std::string modelReadList(std::string_view text, std::string_view name) {
    const auto lines = modelLines(text);
    std::string list;
    if (const auto at = modelFind(text, lines, name)) {
        for (std::size_t l = at->header + 1; l < at->end; ++l) {
            const std::string_view entry = modelTrim(modelContent(text, lines[l]));
            if (entry.empty()) continue;
            list.append(entry);
            list.push_back('\0');
        }
    }
    list.push_back('\0');
    return list;
}

// A content's entries: NUL-ended, up to the end or the first empty entry.
inline std::vector<std::string_view> modelEntries(std::string_view content) {
    std::vector<std::string_view> entries;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = pos;
        while (end < content.size() && content[end] != '\0') ++end;
        if (end == pos) break;
        entries.push_back(content.substr(pos, end - pos));
        pos = end + 1;
    }
    return entries;
}

}  // namespace quillmere::fuzzing
