#include "control.h"

#include "callback_guard.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

// A property rather than GWLP_USERDATA: the system classes are not ours to take that from.
constexpr wchar_t kControlProperty[] = L"quillmere.control";

}  // namespace

Control* controlOf(HWND hwnd) {
    return hwnd ? static_cast<Control*>(::GetPropW(hwnd, kControlProperty)) : nullptr;
}

Control::~Control() {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        if (original_) ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        ::RemovePropW(hwnd_, kControlProperty);
    }
}

bool Control::create(HWND parent, const char* systemClass, const std::string& text, DWORD style,
                     DWORD exStyle, const Rect& rect, int id) {
    hwnd_ = ::CreateWindowExW(
        exStyle, platform::wideText(systemClass).c_str(), platform::wideText(text).c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | style, rect.left, rect.top, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    ::SetPropW(hwnd_, kControlProperty, this);
    return true;
}

void Control::subclass() {
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::ownProcedure)));
}

LRESULT Control::callOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Control::ownProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guarded(LRESULT{0}, [&] {
        Control* self = controlOf(hwnd);
        LRESULT result = 0;
        if (self->onOwnMessage(message, wParam, lParam, result)) return result;
        return self->callOriginal(message, wParam, lParam);
    });
}

void Control::setText(const std::string& text) {
    ::SetWindowTextW(hwnd_, platform::wideText(text).c_str());
}

std::string Control::text() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return platform::utf8Text(text);
}

void Control::setFont(HFONT font) {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Control::focus() {
    ::SetFocus(hwnd_);
}

bool Button::create(HWND parent, const std::string& text, const Rect& rect, int id) {
    return Control::create(parent, "BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, rect, id);
}

bool Button::onCommand(int code) {
    if (code != BN_CLICKED || !clicked_) return false;
    clicked_();
    return true;
}

bool Label::create(HWND parent, const std::string& text, const Rect& rect, int id, DWORD extraStyle) {
    // SS_LEFT wraps at blanks; SS_NOPREFIX keeps an "&" in a text as it is.
    return Control::create(parent, "STATIC", text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | extraStyle, 0, rect,
                           id);
}

HBRUSH Label::onColour(HDC dc) {
    if (!background_) return nullptr;
    ::SetTextColor(dc, textColour_);
    ::SetBkMode(dc, TRANSPARENT);
    return background_;
}

bool Picture::create(HWND parent, HBITMAP bitmap, const Rect& rect, int id) {
    if (!Control::create(parent, "STATIC", "", WS_VISIBLE | SS_BITMAP, 0, rect, id)) return false;
    ::SendMessageW(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    // SS_BITMAP sizes itself to the image; the place stays the one given.
    ::SetWindowPos(hwnd(), nullptr, rect.left, rect.top, rect.width, rect.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace quillmere::win32
