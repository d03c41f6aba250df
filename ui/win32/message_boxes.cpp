#include "message_boxes.h"

#include "texts.h"
#include "wide_text.h"

namespace quillmere::win32 {

void MessageBoxes::inform(HWND owner, const std::string& text) {
    const std::wstring title = platform::wideText(ui::common::kApplicationTitle);
    ::MessageBoxW(owner, platform::wideText(text).c_str(), title.c_str(), MB_OK);
}

bool MessageBoxes::askYesNo(HWND owner, const std::string& text, const std::string& title) {
    return ::MessageBoxW(owner, platform::wideText(text).c_str(), platform::wideText(title).c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) == IDYES;
}

}  // namespace quillmere::win32
