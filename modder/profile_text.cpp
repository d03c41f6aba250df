#include "profile_text.h"

#include <algorithm>
#include <cstring>

namespace quillmere::profile {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // before the CR LF or LF that ends the line
    std::size_t end = 0;         // after the line end, or the text's size for an unended last line
    bool ended() const { return end != contentEnd; }
};

// The line that starts at `pos` (pos < text.size()).
Line lineAt(std::string_view text, std::size_t pos) {
    Line line;
    line.begin = pos;
    const std::size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) {
        line.contentEnd = line.end = text.size();
        return line;
    }
    line.end = lf + 1;
    line.contentEnd = (lf > pos && text[lf - 1] == '\r') ? lf - 1 : lf;
    return line;
}

std::string_view contentOf(std::string_view text, const Line& line) {
    return text.substr(line.begin, line.contentEnd - line.begin);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A line as a header sees it: the file's first line without a UTF-8 byte-order mark, which
// stays in the file but must not hide a header there.
std::string_view headerCandidate(std::string_view text, const Line& line) {
    std::string_view content = contentOf(text, line);
    if (line.begin == 0 && content.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        content.remove_prefix(kUtf8Mark.size());
    return content;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isEmptyLine(std::string_view content) {
    return trimBlanks(content).empty();
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> headerName(std::string_view content) {
    std::size_t i = 0;
    while (i < content.size() && isBlank(content[i])) ++i;
    if (i == content.size() || content[i] != '[') return std::nullopt;
    const std::size_t close = content.find(']', i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return content.substr(i + 1, close - i - 1);
}

bool endsWithLineEnd(std::string_view text) {
    return !text.empty() && text.back() == '\n';
}

// Appends a new last line, first ending the text's unended last line.
void appendLines(std::string& text, std::string_view lines) {
    if (!text.empty() && !endsWithLineEnd(text)) text.append(kLineEnd);
    text.append(lines);
}

// Where a body starts: right after the header line. A header that is the text's unended last
// line gets its line end first, so that new lines do not join it.
std::size_t openBody(std::string& text, const SectionLocation& at) {
    if (at.bodyBegin == text.size() && !endsWithLineEnd(text)) {
        text.append(kLineEnd);
        return text.size();
    }
    return at.bodyBegin;
}

std::string headerLine(std::string_view section) {
    std::string line;
    line.reserve(section.size() + 4);
    line.push_back('[');
    line.append(section);
    line.push_back(']');
    line.append(kLineEnd);
    return line;
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key);
    line.push_back('=');
    line.append(value);
    return line;
}

// Calls visit(line, name) for each header line in file order until it returns false. Only a
// line that holds a '[' can be a header: jumping from one such line to the next, instead of
// looking at every line, keeps the run's 86 edits from crawling through the file.
template <typename Visit>
void forEachHeader(std::string_view text, Visit visit) {
    for (std::size_t bracket = text.find('['); bracket != std::string_view::npos;) {
        const std::size_t lf = text.rfind('\n', bracket);
        const Line line = lineAt(text, lf == std::string_view::npos ? 0 : lf + 1);
        if (const auto header = headerName(headerCandidate(text, line))) {
            if (!visit(line, *header)) return;
        }
        bracket = text.find('[', line.end);
    }
}

}  // namespace

std::optional<SectionLocation> findSection(std::string_view text, std::string_view name) {
    std::optional<SectionLocation> found;
    forEachHeader(text, [&](const Line& line, std::string_view header) {
        if (found) {
            found->bodyEnd = line.begin;
            return false;
        }
        if (equalsIgnoreCase(header, name)) found = SectionLocation{line.begin, line.end, text.size()};
        return true;
    });
    return found;
}

std::vector<std::string_view> splitContent(std::string_view content) {
    std::vector<std::string_view> entries;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t nul = content.find('\0', pos);
        const std::size_t end = nul == std::string_view::npos ? content.size() : nul;
        if (end == pos) break;  // an empty entry closes the list
        entries.push_back(content.substr(pos, end - pos));
        pos = end + 1;
    }
    return entries;
}

void writeSection(std::string& text, std::string_view section, std::string_view content) {
    std::string body;
    const auto entries = splitContent(content);
    std::size_t size = 0;
    for (const auto entry : entries) size += entry.size() + kLineEnd.size();
    body.reserve(size);
    for (const auto entry : entries) {
        body.append(entry);
        body.append(kLineEnd);
    }

    if (const auto at = findSection(text, section)) {
        const std::size_t bodyEnd = at->bodyEnd;
        const std::size_t bodyBegin = openBody(text, *at);
        // openBody only ever appends at the very end, where bodyBegin == bodyEnd == old size.
        text.replace(bodyBegin, std::max(bodyEnd, bodyBegin) - bodyBegin, body);
        return;
    }
    appendLines(text, headerLine(section) + body);
}

void writeKey(std::string& text, std::string_view section, std::string_view key, std::string_view value) {
    const std::string newLine = keyLine(key, value);
    const auto at = findSection(text, section);
    if (!at) {
        appendLines(text, headerLine(section) + newLine + std::string(kLineEnd));
        return;
    }

    std::optional<Line> lastFilled;
    for (std::size_t pos = at->bodyBegin; pos < at->bodyEnd;) {
        const Line line = lineAt(text, pos);
        const std::string_view content = contentOf(text, line);
        const std::size_t eq = content.find('=');
        if (eq != std::string_view::npos && equalsIgnoreCase(trimBlanks(content.substr(0, eq)), key)) {
            text.replace(line.begin, line.contentEnd - line.begin, newLine);
            return;
        }
        if (!isEmptyLine(content)) lastFilled = line;
        pos = line.end;
    }

    if (!lastFilled) {
        const std::size_t bodyBegin = openBody(text, *at);
        text.insert(bodyBegin, newLine + std::string(kLineEnd));
        return;
    }
    if (lastFilled->ended()) {
        text.insert(lastFilled->end, newLine + std::string(kLineEnd));
    } else {
        // The last filled line is the text's unended last line.
        text.append(kLineEnd);
        text.append(newLine);
        text.append(kLineEnd);
    }
}

std::uint32_t readSection(std::string_view text, std::string_view section, char* buffer, std::uint32_t size) {
    if (size == 0) return 0;
    const auto at = findSection(text, section);
    if (!at) {
        buffer[0] = '\0';
        return 0;
    }

    // Room for characters: everything but the closing NUL pair that a cut needs.
    std::size_t written = 0;
    bool cut = false;
    for (std::size_t pos = at->bodyBegin; pos < at->bodyEnd && !cut;) {
        const Line line = lineAt(text, pos);
        pos = line.end;
        const std::string_view entry = trimBlanks(contentOf(text, line));
        if (entry.empty()) continue;
        // The entry, its NUL and the list's closing NUL must fit.
        if (written + entry.size() + 2 <= size) {
            std::memcpy(buffer + written, entry.data(), entry.size());
            written += entry.size();
            buffer[written++] = '\0';
        } else {
            cut = true;
            const std::size_t room = size >= 2 ? size - 2 : 0;
            const std::size_t take = room > written ? room - written : 0;
            std::memcpy(buffer + written, entry.data(), take);
            written += take;
        }
    }

    if (cut) {
        if (size < 2) {
            buffer[0] = '\0';
            return 0;
        }
        buffer[size - 2] = '\0';
        buffer[size - 1] = '\0';
        return size - 2;
    }
    if (written == 0) {
        buffer[0] = '\0';
        return 0;
    }
    buffer[written] = '\0';  // fits: the loop kept one place for it
    return static_cast<std::uint32_t>(written);
}

std::vector<std::string_view> sectionNames(std::string_view text) {
    std::vector<std::string_view> names;
    forEachHeader(text, [&](const Line&, std::string_view header) {
        names.push_back(header);
        return true;
    });
    return names;
}

}  // namespace quillmere::profile
