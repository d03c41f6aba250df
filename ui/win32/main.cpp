#include <ole2.h>
#include <windows.h>

#include "app.h"
#include "form1.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    using namespace quillmere::win32;
    becomeDpiAware();
    initCommonControls();
    // The web browser control wants a single-threaded apartment with OLE's extras.
    ::OleInitialize(nullptr);
    int code = 1;
    {
        TopLevelWindows windows([] { ::PostQuitMessage(0); });
        Form1 form1(Form1Setup::forThisMachine(), windows);
        if (form1.start()) code = runMessageLoop(windows);
    }
    ::OleUninitialize();
    return code;
}
