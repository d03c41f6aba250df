#include <ole2.h>
#include <windows.h>

#include "app.h"
#include "callback_guard.h"
#include "form1.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    using namespace quillmere::win32;
    becomeDpiAware();
    initCommonControls();
    // The web browser control wants a single-threaded apartment with OLE's extras.
    ::OleInitialize(nullptr);
    int code = 1;
    try {
        TopLevelWindows windows([] { ::PostQuitMessage(0); });
        Form1 form1(Form1Setup::forThisMachine(), windows);
        if (form1.start()) code = runMessageLoop(windows);
    } catch (...) {
        // Outside any callback, but handled the same way: a box that names the error.
        reportCallbackFailure();
        code = 3;
    }
    ::OleUninitialize();
    return code;
}
