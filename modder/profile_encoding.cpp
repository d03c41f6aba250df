#include "profile_encoding.h"

#include <cstdint>

#include "profile_text.h"

namespace quillmere::profile {
namespace {

constexpr unsigned char kBom0 = 0xFF;
constexpr unsigned char kBom1 = 0xFE;

// The editor's own reasons for not taking a file, shown as the system's would be.
class EncodingCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "quillmere.encoding"; }
    std::string message(int) const override { return "UTF-16 big-endian text is not supported"; }
};

// One UTF-16 code unit as its own UTF-8 form. Surrogates are encoded one by one, never
// combined, so any unit sequence (unpaired halves included) maps back exactly.
void appendUnit(std::string& out, std::uint16_t unit) {
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

bool startsWithMark(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == kBom0 &&
           static_cast<unsigned char>(bytes[1]) == kBom1;
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Reads the unit that starts at text[i] and advances i. A byte that begins no well-formed form
// (which edits of ours never produce) stands for itself.
std::uint16_t nextUnit(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 >= 0xC0 && b0 < 0xE0 && i + 1 < text.size() &&
        isContinuation(static_cast<unsigned char>(text[i + 1]))) {
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        i += 2;
        return static_cast<std::uint16_t>(((b0 & 0x1F) << 6) | (b1 & 0x3F));
    }
    if (b0 >= 0xE0 && b0 < 0xF0 && i + 2 < text.size() &&
        isContinuation(static_cast<unsigned char>(text[i + 1])) &&
        isContinuation(static_cast<unsigned char>(text[i + 2]))) {
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        const auto b2 = static_cast<unsigned char>(text[i + 2]);
        i += 3;
        return static_cast<std::uint16_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
    }
    i += 1;
    return b0;
}

}  // namespace

std::error_code checkEditable(std::string_view bytes) {
    // 8-bit text spliced into big-endian units would garble the file, and no package uses them.
    static const EncodingCategory category;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == kBom1 &&
        static_cast<unsigned char>(bytes[1]) == kBom0)
        return {1, category};
    return {};
}

DecodedProfile decodeProfile(std::string_view bytes) {
    DecodedProfile profile;
    if (!startsWithMark(bytes)) {
        profile.text.assign(bytes);
        return profile;
    }
    profile.encoding = FileEncoding::Utf16Le;
    const std::size_t units = (bytes.size() - 2) / 2;
    profile.text.reserve(bytes.size());
    for (std::size_t u = 0; u < units; ++u) {
        const auto lo = static_cast<unsigned char>(bytes[2 + 2 * u]);
        const auto hi = static_cast<unsigned char>(bytes[3 + 2 * u]);
        appendUnit(profile.text, static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    if ((bytes.size() - 2) % 2 != 0) profile.trailingByte.assign(1, bytes.back());
    return profile;
}

DecodedProfile decodeProfile(std::string&& bytes) {
    if (startsWithMark(bytes)) return decodeProfile(std::string_view(bytes));
    DecodedProfile profile;
    profile.text = std::move(bytes);
    return profile;
}

std::string encodeProfile(const DecodedProfile& profile) {
    if (profile.encoding == FileEncoding::Bytes8) return profile.text;
    std::string bytes;
    bytes.reserve(2 + profile.text.size() * 2 + profile.trailingByte.size());
    bytes.push_back(static_cast<char>(kBom0));
    bytes.push_back(static_cast<char>(kBom1));
    for (std::size_t i = 0; i < profile.text.size();) {
        const std::uint16_t unit = nextUnit(profile.text, i);
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes.append(profile.trailingByte);
    return bytes;
}

std::string toEditText(FileEncoding encoding, std::string_view text8) {
    if (encoding == FileEncoding::Bytes8) return std::string(text8);
    // 8-bit characters become the code units of the same value (the Latin-1 reading).
    std::string out;
    out.reserve(text8.size());
    for (const char c : text8) appendUnit(out, static_cast<unsigned char>(c));
    return out;
}

std::string fromEditText(FileEncoding encoding, std::string_view editText) {
    if (encoding == FileEncoding::Bytes8) return std::string(editText);
    std::string out;
    out.reserve(editText.size());
    for (std::size_t i = 0; i < editText.size();) {
        const std::uint16_t unit = nextUnit(editText, i);
        out.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
    }
    return out;
}

std::uint32_t readSection(const DecodedProfile& profile, std::string_view section, char* buffer,
                          std::uint32_t size) {
    // An 8-bit text is read in place: no copy of a multi-megabyte file.
    if (profile.encoding == FileEncoding::Bytes8) return readSection(profile.text, section, buffer, size);
    return readSection(fromEditText(profile.encoding, profile.text), section, buffer, size);
}

}  // namespace quillmere::profile
