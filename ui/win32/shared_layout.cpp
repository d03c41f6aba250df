#include "shared_layout.h"

#include <algorithm>
#include <cstring>

#include "twips.h"

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
    LOGFONTA info{};
    info.lfHeight = -ui::common::pointsToPixels(font.points, scale.dpi());
    info.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    info.lfCharSet = DEFAULT_CHARSET;
    info.lfQuality = DEFAULT_QUALITY;
    const std::size_t length = std::min(font.family.size(), sizeof info.lfFaceName - 1);
    std::memcpy(info.lfFaceName, font.family.data(), length);
    return ::CreateFontIndirectA(&info);
}

}  // namespace quillmere::win32
