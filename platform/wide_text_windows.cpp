#include <windows.h>

#include "wide_text.h"

namespace quillmere::platform {
namespace {

bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::wstring wideText(std::string_view utf8) {
    if (utf8.empty()) return {};
    if (utf8.find('\0') != std::string_view::npos) throw TextConversionError("text with a NUL character");
    // MB_ERR_INVALID_CHARS makes CP_UTF8 fail on invalid input (Windows 2000 SP4 and later)
    // instead of putting U+FFFD in, or dropping, what does not decode.
    const int size = static_cast<int>(utf8.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n <= 0) throw TextConversionError("text that is not valid UTF-8");
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, out.data(), n) != n)
        throw TextConversionError("text that is not valid UTF-8");
    return out;
}

std::string utf8Text(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    // WC_ERR_INVALID_CHARS exists only from Vista on, and before it a lone surrogate would
    // become U+FFFD or three bytes of CESU: pairs are checked here instead.
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        if (isHighSurrogate(utf16[i]) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            ++i;
        } else if (isHighSurrogate(utf16[i]) || isLowSurrogate(utf16[i])) {
            throw TextConversionError("a name with a broken UTF-16 surrogate pair");
        }
    }
    const int size = static_cast<int>(utf16.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) throw TextConversionError("text that cannot be written as UTF-8");
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace quillmere::platform
