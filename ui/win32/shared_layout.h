#pragma once
// The shared layout (ui/common) in Win32 terms: twips to pixel rectangles at the system's DPI,
// colours, fonts and window frames.

#include <windows.h>

#include "colours.h"
#include "fonts.h"
#include "gdi.h"
#include "layout.h"

namespace quillmere::win32 {

inline COLORREF colourOf(const ui::common::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

inline Rect place(const ui::common::TwipsRect& twips, const Scale& scale) {
    return scale.rect(twips.left, twips.top, twips.width, twips.height);
}

// A window's client area at the scale.
inline Rect clientArea(const ui::common::WindowRow& window, const Scale& scale) {
    return {0, 0, scale.pixels(window.clientWidth), scale.pixels(window.clientHeight)};
}

struct FrameStyle {
    DWORD style;
    DWORD exStyle;
};

// The border, boxes and task-bar entry of the window's row.
FrameStyle frameStyleOf(const ui::common::WindowRow& window);

// The font at the scale.
HFONT createFont(const ui::common::FontFace& font, const Scale& scale);

}  // namespace quillmere::win32
