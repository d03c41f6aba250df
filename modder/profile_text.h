#pragma once
// Profile (INI/INF) editing as pure functions over a file's text. A line ends at LF, with or
// without a CR before it; lines that an edit adds end with CR LF; every byte outside the
// changed section body or key line stays as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::profile {

// Byte offsets of a section in a text: its header line, then its body up to the next header
// line or the end of the text.
struct SectionLocation {
    std::size_t headerBegin = 0;
    std::size_t bodyBegin = 0;  // first byte after the header line's line end
    std::size_t bodyEnd = 0;    // first byte of the next header line, or the text's size
};

// The first section whose name matches without regard to ASCII letter case.
std::optional<SectionLocation> findSection(std::string_view text, std::string_view name);

// A section content's entries: each ended by NUL; the list ends at the end of the content or
// at an empty entry. Entries keep every character, CR LF and trailing blanks included.
std::vector<std::string_view> splitContent(std::string_view content);

// Replaces the section's body by the content's entries, each followed by CR LF, or appends the
// section at the end of the text when it is missing.
void writeSection(std::string& text, std::string_view section, std::string_view content);

// Sets `key=value` in the section: replaces the first line with that key, else adds the line
// after the body's last non-empty line, else appends the section with that one line.
void writeKey(std::string& text, std::string_view section, std::string_view key, std::string_view value);

// Copies the section's non-blank lines, trimmed, each followed by NUL, plus a closing NUL,
// into buffer[0..size). Lines that do not fit are cut so that the buffer ends with two NULs and
// the result is size - 2. Returns the characters written, not counting the closing NUL. Bytes
// after the closing NUL are not touched. A missing section reads as empty.
std::uint32_t readSection(std::string_view text, std::string_view section, char* buffer, std::uint32_t size);

// The names of all section headers in file order, a name that repeats included, each as
// findSection recognises a header.
std::vector<std::string_view> sectionNames(std::string_view text);

}  // namespace quillmere::profile
