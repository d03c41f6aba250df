// Runs the window tests where windows can be made: under Wine that needs an X display. Without
// one the whole program is skipped (exit code 77, which CTest counts as skipped).

#include <gtest/gtest.h>
#include <ole2.h>
#include <windows.h>

#include <cstdio>

#include "app.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    HWND probe = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe) {
        std::printf("No display to make windows on: the Win32 window tests are skipped.\n");
        return 77;
    }
    ::DestroyWindow(probe);
    quillmere::win32::initCommonControls();
    ::OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
