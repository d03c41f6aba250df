#pragma once
// How the windows hand an address to the shell (the mail program, the web browser): the
// signature of ShellExecuteA, so that tests can see every argument. The result is not looked at.

#include <windows.h>

#include <functional>

namespace quillmere::win32 {

using ShellOpen = std::function<HINSTANCE(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                          LPCSTR directory, INT show)>;

// ::ShellExecuteA itself.
ShellOpen systemShellOpen();

}  // namespace quillmere::win32
