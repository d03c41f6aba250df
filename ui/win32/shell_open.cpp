#include "shell_open.h"

#include <shellapi.h>

#include <string>

#include "wide_text.h"

namespace quillmere::win32 {

ShellOpen systemShellOpen() {
    return [](HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
        // The texts are UTF-8; a null one stays null.
        const auto wide = [](LPCSTR text) { return text ? platform::wideText(text) : std::wstring(); };
        const std::wstring w[] = {wide(verb), wide(file), wide(parameters), wide(directory)};
        const auto or_null = [](LPCSTR text, const std::wstring& converted) {
            return text ? converted.c_str() : nullptr;
        };
        return ::ShellExecuteW(owner, or_null(verb, w[0]), or_null(file, w[1]), or_null(parameters, w[2]),
                               or_null(directory, w[3]), show);
    };
}

}  // namespace quillmere::win32
