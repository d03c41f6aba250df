#pragma once
// Thin objects around the system's controls (buttons, static texts, pictures, list and combo
// boxes). A control sets its own colours and handles its own notifications: the window base
// hands those parent messages back to it.

#include <windows.h>

#include <functional>
#include <string>

#include "shared_layout.h"
#include "window.h"

namespace quillmere::win32 {

class Control {
  public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND hwnd() const { return hwnd_; }
    void setText(const std::string& text);
    std::string text() const;
    void setFont(HFONT font);
    void focus();

    // What the parent was told about this control; false where the window should carry on.
    virtual bool onCommand(int /*code*/) { return false; }
    virtual HBRUSH onColour(HDC /*dc*/) { return nullptr; }
    virtual bool onDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }

  protected:
    // Creates the control of the system class; `id` is its dialog id, also its tab identity.
    bool create(HWND parent, const char* systemClass, const std::string& text, DWORD style, DWORD exStyle,
                const Rect& rect, int id);
    // Lets the subclass see the control's own messages first (keyboard, mouse).
    void subclass();
    virtual bool onOwnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
    LRESULT callOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK ownProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
};

// A push button; `clicked` runs on BN_CLICKED.
class Button : public Control {
  public:
    bool create(HWND parent, const std::string& text, const Rect& rect, int id);
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }
    bool onCommand(int code) override;

  private:
    std::function<void()> clicked_;
};

// Static text, left-aligned, wrapping at blanks and cut off at its bottom edge.
class Label : public Control {
  public:
    bool create(HWND parent, const std::string& text, const Rect& rect, int id, DWORD extraStyle = 0);
    void setColours(COLORREF text, HBRUSH background) {
        textColour_ = text;
        background_ = background;
    }
    HBRUSH onColour(HDC dc) override;

  private:
    COLORREF textColour_ = colourOf(ui::common::kText);
    HBRUSH background_ = nullptr;
};

// A bitmap at its natural size, without a border.
class Picture : public Control {
  public:
    bool create(HWND parent, HBITMAP bitmap, const Rect& rect, int id);
};

}  // namespace quillmere::win32
