#include "shared_layout.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "twips.h"
#include "wide_text.h"

namespace quillmere::win32 {

FrameStyle frameStyleOf(const ui::common::WindowRow& window) {
    FrameStyle frame{};
    switch (window.frame) {
        case ui::common::WindowFrame::fixedSingle:
            frame.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
            break;
        case ui::common::WindowFrame::fixedDialog:
            frame.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
            frame.exStyle = WS_EX_DLGMODALFRAME;
            break;
        case ui::common::WindowFrame::sizable:
            frame.style = WS_OVERLAPPEDWINDOW;
            break;
    }
    // A window without an owner gets a task-bar button unless it is a tool window.
    if (!window.taskBarEntry) frame.exStyle |= WS_EX_TOOLWINDOW;
    return frame;
}

HFONT createFont(const ui::common::FontFace& font, const Scale& scale) {
    LOGFONTW info{};
    info.lfHeight = -ui::common::pointsToPixels(font.points, scale.dpi());
    info.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    info.lfCharSet = DEFAULT_CHARSET;
    info.lfQuality = DEFAULT_QUALITY;
    const std::wstring family = platform::wideText(font.family);
    const std::size_t length = std::min(family.size(), std::size(info.lfFaceName) - 1);
    std::wmemcpy(info.lfFaceName, family.data(), length);
    return ::CreateFontIndirectW(&info);
}

}  // namespace quillmere::win32
