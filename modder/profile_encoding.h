#pragma once
// A profile file's bytes and the 8-bit text that the editor works on. Files that begin with a
// UTF-16 LE byte-order mark stay UTF-16 LE: they are edited as text and written back as UTF-16,
// so no 8-bit text is ever spliced into UTF-16 bytes. UTF-16 BE files are refused.

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace quillmere::profile {

enum class FileEncoding { Bytes8, Utf16Le };

struct DecodedProfile {
    FileEncoding encoding = FileEncoding::Bytes8;
    // Bytes8: the file's bytes. Utf16Le: each UTF-16 code unit after the mark as its own
    // UTF-8 form (units 0x80.. become two or three bytes), which maps back without loss.
    std::string text;
    // A UTF-16 file of odd length keeps its last lone byte here, written back after the text.
    std::string trailingByte;
};

// Nothing when the editor can edit these bytes, else why not (UTF-16 big-endian text).
std::error_code checkEditable(std::string_view bytes);

DecodedProfile decodeProfile(std::string_view bytes);
// The same, keeping the buffer of an 8-bit file instead of copying it.
DecodedProfile decodeProfile(std::string&& bytes);
std::string encodeProfile(const DecodedProfile& profile);

// What the 8-bit caller passes, turned into the editing text of a file of this encoding, and back.
std::string toEditText(FileEncoding encoding, std::string_view text8);
std::string fromEditText(FileEncoding encoding, std::string_view editText);

// A section read (profile::readSection) of the file's text as the 8-bit caller sees it.
std::uint32_t readSection(const DecodedProfile& profile, std::string_view section, char* buffer,
                          std::uint32_t size);

}  // namespace quillmere::profile
