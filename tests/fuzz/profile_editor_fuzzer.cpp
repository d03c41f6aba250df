// The editor's three operations on arbitrary file bytes (8-bit, UTF-16 LE with its mark, or the
// refused UTF-16 BE) with arbitrary section names, keys, values and contents, several edits in a
// row. Besides surviving
// every input: decoding and encoding give the file back byte for byte; a section write leaves
// everything outside that section's body as it was and reads back as written; a key write
// changes or adds exactly one line of its section, or appends the header and that line.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "memory_file_store.h"
#include "profile_encoding.h"
#include "profile_functions.h"
#include "profile_model.h"
#include "profile_text.h"

using namespace quillmere;
using namespace quillmere::fuzzing;

namespace {

constexpr std::string_view kFile = "fuzz.inf";
constexpr std::string_view kCrLf = "\r\n";

bool has(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

// A header "[name]" gives this name back only when the name holds no ']' and no line end.
bool findable(std::string_view name) { return !has(name, ']') && !has(name, '\n'); }

bool unended(std::string_view text) { return !text.empty() && text.back() != '\n'; }

// A line that a read gives back unchanged: not blank-edged, one line, no NUL, no header.
bool readsBackAsItself(std::string_view line) {
    return !line.empty() && !modelBlank(line.front()) && !modelBlank(line.back()) && !has(line, '\n') &&
           !has(line, '\0') && line.back() != '\r' && !modelHeader(line);
}

// Every entry of the section, as 8-bit text, read through the editor with room to spare.
std::vector<std::string> readBack(testing::ProfileFunctions& editor, std::string_view section, std::size_t room) {
    std::string buffer(room + 2, '\x7f');
    const auto n = editor.GetPrivateProfileSectionA(section, buffer.data(), static_cast<std::uint32_t>(buffer.size()), kFile);
    FUZZ_CHECK(n + 1 < buffer.size());  // room enough: never a cut
    std::vector<std::string> entries;
    for (std::size_t pos = 0; pos < n; pos += entries.back().size() + 1) entries.emplace_back(buffer.c_str() + pos);
    return entries;
}

struct Edit {
    MemoryFileStore store;
    testing::ProfileFunctions editor{{}, store};

    // The file's text as the editor edits it, checking that it encodes back to the same bytes.
    profile::DecodedProfile current() {
        const auto it = store.files.find(std::filesystem::path(kFile));
        const std::string bytes = it == store.files.end() ? std::string() : it->second;
        profile::DecodedProfile decoded = profile::decodeProfile(bytes);
        FUZZ_CHECK(profile::encodeProfile(decoded) == bytes);
        return decoded;
    }

    void writeSection(const std::string& section, const std::string& content) {
        const profile::DecodedProfile before = current();
        fuzzContext() = "section write [" + escaped(section) + "] content \"" + escaped(content) + "\"\nfile \"" +
                        escaped(before.text) + "\"";
        FUZZ_CHECK(editor.WritePrivateProfileSectionA(section, content, kFile) == 1);
        const profile::DecodedProfile after = current();
        FUZZ_CHECK(after.encoding == before.encoding);
        FUZZ_CHECK(after.trailingByte == before.trailingByte);
        if (!findable(section)) return;

        const std::string name = profile::toEditText(before.encoding, section);
        const std::string editContent = profile::toEditText(before.encoding, content);
        std::string body;
        for (const auto entry : modelEntries(editContent)) {
            body.append(entry);
            body.append(kCrLf);
        }
        const std::string& old = before.text;
        const auto lines = modelLines(old);
        std::string expected;
        if (const auto at = modelFind(old, lines, name)) {
            const std::size_t bodyBegin = lines[at->header].end;
            const std::size_t bodyEnd = at->end < lines.size() ? lines[at->end].begin : old.size();
            expected = old.substr(0, bodyBegin);
            if (at->header + 1 == lines.size() && unended(old)) expected.append(kCrLf);
            expected += body;
            expected.append(old, bodyEnd);
        } else {
            expected = old + (unended(old) ? std::string(kCrLf) : "") + "[" + name + "]\r\n" + body;
        }
        FUZZ_CHECK(after.text == expected);

        const auto entries = modelEntries(content);
        if (std::all_of(entries.begin(), entries.end(), readsBackAsItself)) {
            const auto read = readBack(editor, section, after.text.size());
            FUZZ_CHECK(read.size() == entries.size());
            FUZZ_CHECK(std::equal(read.begin(), read.end(), entries.begin()));
        }
    }

    void writeKey(const std::string& section, const std::string& key, const std::string& value) {
        const profile::DecodedProfile before = current();
        fuzzContext() = "key write [" + escaped(section) + "] " + escaped(key) + "=" + escaped(value) + "\nfile \"" +
                        escaped(before.text) + "\"";
        FUZZ_CHECK(editor.WritePrivateProfileStringA(section, key, value, kFile) == 1);
        const profile::DecodedProfile after = current();
        fuzzContext() += "\nafter \"" + escaped(after.text) + "\"";
        FUZZ_CHECK(after.encoding == before.encoding);
        // A line end in the key or value would make the one line several.
        if (!findable(section) || has(key, '\n') || has(value, '\n')) return;

        const std::string name = profile::toEditText(before.encoding, section);
        const std::string keyText = profile::toEditText(before.encoding, key);
        const std::string newLine = keyText + "=" + profile::toEditText(before.encoding, value);
        const std::string& old = before.text;
        const auto oldLines = modelLines(old);
        const auto at = modelFind(old, oldLines, name);
        if (!at) {
            FUZZ_CHECK(after.text == old + (unended(old) ? std::string(kCrLf) : "") + "[" + name + "]\r\n" + newLine + "\r\n");
        } else {
            checkOneLineChanged(old, after.text, *at, keyText, newLine);
        }

        if (readsBackAsItself(key + "=" + value)) {
            const auto read = readBack(editor, section, after.text.size());
            FUZZ_CHECK(std::count(read.begin(), read.end(), key + "=" + value) >= 1);
        }
    }

    // Whole lines of both texts, an unended last line counted as ended with CR LF (an edit may
    // end it). The key's first line in the body is replaced, keeping its line end; without one,
    // the line is inserted after the body's last filled line. No other line changes.
    static void checkOneLineChanged(const std::string& old, const std::string& now, const ModelSection& at,
                                    const std::string& key, const std::string& newLine) {
        const auto wholeLines = [](const std::string& text) {
            std::vector<std::string> out;
            for (const auto& line : modelLines(text)) out.push_back(text.substr(line.begin, line.end - line.begin));
            if (unended(text)) out.back().append(kCrLf);
            return out;
        };
        const auto oldLines = modelLines(old);
        std::optional<std::size_t> keyLine;
        std::size_t lastFilled = at.header;
        for (std::size_t l = at.header + 1; l < at.end; ++l) {
            const std::string_view content = modelContent(old, oldLines[l]);
            const std::size_t eq = content.find('=');
            if (!keyLine && eq != std::string_view::npos && modelSameName(modelTrim(content.substr(0, eq)), key)) keyLine = l;
            if (!modelTrim(content).empty()) lastFilled = l;
        }

        auto expected = wholeLines(old);
        if (keyLine) {
            const ModelLine& line = oldLines[*keyLine];
            const bool lastUnended = line.end == line.contentEnd;
            expected[*keyLine] = newLine + (lastUnended ? std::string(kCrLf) : old.substr(line.contentEnd, line.end - line.contentEnd));
        } else {
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1), newLine + std::string(kCrLf));
        }
        FUZZ_CHECK(wholeLines(now) == expected);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The last byte: whether the file exists, how many edits, and which kind each is.
    const auto plan = input.ConsumeIntegral<std::uint8_t>();
    const std::size_t edits = 1 + (plan & 3);
    struct Step {
        bool key;
        std::string section, a, b;
    };
    std::vector<Step> steps;
    for (std::size_t i = 0; i < edits; ++i) {
        Step step;
        step.key = (plan >> (2 + i)) & 1;
        step.section = input.ConsumeRandomLengthString(64);
        step.a = input.ConsumeRandomLengthString(step.key ? 64 : 512);
        if (step.key) step.b = input.ConsumeRandomLengthString(256);
        steps.push_back(std::move(step));
    }
    Edit edit;
    if (!(plan & 0x80)) edit.store.files[std::filesystem::path(kFile)] = input.ConsumeRemainingBytesAsString();
    // UTF-16 big-endian text is refused: every write fails and leaves the bytes as they were.
    const auto it = edit.store.files.find(std::filesystem::path(kFile));
    if (it != edit.store.files.end() && profile::checkEditable(it->second)) {
        const std::string before = it->second;
        for (const Step& step : steps) {
            FUZZ_CHECK((step.key
                            ? edit.editor.WritePrivateProfileStringA(step.section, step.a, step.b, kFile)
                            : edit.editor.WritePrivateProfileSectionA(step.section, step.a, kFile)) == 0);
            FUZZ_CHECK(edit.store.files.at(std::filesystem::path(kFile)) == before);
        }
        return 0;
    }

    for (const Step& step : steps) {
        if (step.key) {
            edit.writeKey(step.section, step.a, step.b);
        } else {
            edit.writeSection(step.section, step.a);
        }
    }
    return 0;
}
