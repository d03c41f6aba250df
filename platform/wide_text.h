#pragma once
// The program's text is UTF-8 on every system. On Windows it becomes UTF-16 only where it meets
// the system's W functions, and comes back the same way. Text that is not valid UTF-8 (or, from
// the system, not valid UTF-16) is refused rather than patched, so that no name is ever changed
// into another one on the way.

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmere::platform {

// Thrown for text that cannot be converted without changing it.
class TextConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// UTF-8 -> UTF-16. Throws TextConversionError for invalid UTF-8 (overlong forms, surrogates,
// cut-off sequences), and for an embedded NUL, which no system call would see.
std::wstring wideText(std::string_view utf8);

// UTF-16 -> UTF-8. Throws TextConversionError for a surrogate without its partner, which NTFS
// allows in names but UTF-8 cannot hold.
std::string utf8Text(std::wstring_view utf16);

}  // namespace quillmere::platform
