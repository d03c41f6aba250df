#include "shell_open.h"

#include <shellapi.h>

namespace quillmere::win32 {

ShellOpen systemShellOpen() {
    return [](HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
        return ::ShellExecuteA(owner, verb, file, parameters, directory, show);
    };
}

}  // namespace quillmere::win32
