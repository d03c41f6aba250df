#pragma once
// The animated title banner behind the main window's controls, drawn with GDI from the shared
// banner model and the stored title outline at 10 frames a second while it is visible, into a back buffer so
// that nothing flickers. Releasing the mouse button over it opens the help page.

#include <cstdint>
#include <functional>
#include <string>

#include "banner_model.h"
#include "gdi.h"
#include "window.h"

namespace quillmere::win32 {

class Banner : public Window {
  public:
    using OpenUrl = std::function<void(HWND owner, const std::string& url)>;

    Banner(std::string helpPageUrl, OpenUrl open, std::uint32_t seed);

    bool create(HWND parent, const Rect& rect, int id);
    const ui::common::BannerModel& model() const { return model_; }
    // One tick of the clock, as the timer gives it.
    void advanceFrame();

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool paints() const override { return true; }
    void onPaint(HDC dc, const RECT& dirty) override;
    void onTimer(UINT_PTR id) override;

  private:
    void draw(HDC dc, int width, int height);
    void drawSparks(HDC dc, const ui::common::Placement& stage) const;
    void prepareTitle(const ui::common::Placement& stage);

    std::string helpPageUrl_;
    OpenUrl open_;
    ui::common::BannerModel model_;
    // The title, filled once from the stored outline: its place, the picture with alpha, and a
    // mirrored copy for the reflection.
    RECT titleBox_{};  // in the control
    GdiObject<HBITMAP> title_;
    GdiObject<HBITMAP> mirrored_;
    bool titleReady_ = false;
};

}  // namespace quillmere::win32
