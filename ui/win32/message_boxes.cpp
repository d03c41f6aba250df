#include "message_boxes.h"

#include "texts.h"

namespace quillmere::win32 {

void MessageBoxes::inform(HWND owner, const std::string& text) {
    const std::string title(ui::common::kApplicationTitle);
    ::MessageBoxA(owner, text.c_str(), title.c_str(), MB_OK);
}

bool MessageBoxes::askYesNo(HWND owner, const std::string& text, const std::string& title) {
    return ::MessageBoxA(owner, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) ==
           IDYES;
}

}  // namespace quillmere::win32
