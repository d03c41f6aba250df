#pragma once
// GDI helpers the windows share: owned GDI objects, the system's dots per inch and the classic
// dialog font.

#include <windows.h>

#include <utility>

#include "window.h"

namespace quillmere::win32 {

// Owns one GDI object (brush, pen, font, bitmap) and deletes it at the end.
template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Handle get() const { return handle_; }
    void reset(Handle handle = nullptr) {
        if (handle_) ::DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

// Twips to pixels at the system's dots per inch, as a form laid out in twips is scaled.
class Scale {
  public:
    explicit Scale(int dotsPerInch) : dpi_(dotsPerInch) {}
    static Scale ofSystem();

    int dpi() const { return dpi_; }
    int pixels(int twips) const { return ::MulDiv(twips, dpi_, 1440); }
    // 96 dpi pixels (what the tables give beside the twips) to this scale.
    int fromPixels96(int pixels) const { return ::MulDiv(pixels, dpi_, 96); }
    Rect rect(int left, int top, int width, int height) const {
        return {pixels(left), pixels(top), pixels(width), pixels(height)};
    }

  private:
    int dpi_;
};

// A DC to draw into off screen, whose bitmap is copied to the window in one step.
class BackBuffer {
  public:
    BackBuffer(HDC target, int width, int height);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    HDC dc() const { return dc_; }
    void copyTo(HDC target) const;

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_;
    int height_;
};

// The program's icon from the module's resources, at the system's size; shared, never destroyed.
HICON programIcon(HINSTANCE module);

}  // namespace quillmere::win32
