#include "gdi.h"

#include "resources.h"

namespace quillmere::win32 {

Scale Scale::ofSystem() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return Scale(dpi > 0 ? dpi : 96);
}

BackBuffer::BackBuffer(HDC target, int width, int height)
    : dc_(::CreateCompatibleDC(target)),
      bitmap_(::CreateCompatibleBitmap(target, width, height)),
      previous_(::SelectObject(dc_, bitmap_)),
      width_(width),
      height_(height) {}

BackBuffer::~BackBuffer() {
    ::SelectObject(dc_, previous_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
}

void BackBuffer::copyTo(HDC target) const {
    ::BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY);
}

HICON programIcon(HINSTANCE module) {
    return static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(QUILLMERE_IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace quillmere::win32
