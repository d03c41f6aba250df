#include "window.h"

#include "callback_guard.h"
#include "control.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

HINSTANCE thisModule() {
    return ::GetModuleHandleW(nullptr);
}

void registerOnce(const std::wstring& className, UINT classStyle, HICON icon, HCURSOR cursor,
                  WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(thisModule(), className.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = procedure;
    wc.hInstance = thisModule();
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    ::RegisterClassExW(&wc);
}

}  // namespace

Window::~Window() {
    destroy();
}

void Window::destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
}

bool Window::create(const CreateInfo& info) {
    const std::wstring className = platform::wideText(info.className);
    registerOnce(className, info.classStyle, info.icon, info.cursor, &Window::route);
    background_ = info.background;
    int x = info.rect.left;
    int y = info.rect.top;
    int width = info.rect.width;
    int height = info.rect.height;
    HMENU menuOrId = nullptr;
    if (info.style & WS_CHILD) {
        menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(info.id));
    } else {
        // The size given is the client area's; the frame comes on top.
        RECT frame{0, 0, width, height};
        ::AdjustWindowRectEx(&frame, info.style, FALSE, info.exStyle);
        width = frame.right - frame.left;
        height = frame.bottom - frame.top;
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }
    ::CreateWindowExW(info.exStyle, className.c_str(), platform::wideText(info.caption).c_str(), info.style,
                      x, y, width, height, info.parent, menuOrId, thisModule(), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Window::route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return guarded(LRESULT{0}, [&] { return self->dispatch(message, wParam, lParam); });
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    return handleMessage(message, wParam, lParam);
}

LRESULT Window::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_CLOSE:
            if (onClose()) return 0;
            break;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_PAINT:
            if (!paints()) break;
            {
                PAINTSTRUCT ps;
                HDC dc = ::BeginPaint(hwnd_, &ps);
                onPaint(dc, ps.rcPaint);
                ::EndPaint(hwnd_, &ps);
            }
            return 0;
        case WM_ERASEBKGND:
            if (paints()) return 1;  // onPaint covers every pixel, so nothing flickers
            if (background_) {
                RECT client;
                ::GetClientRect(hwnd_, &client);
                ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
                return 1;
            }
            break;
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_SIZE:
            onSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            break;
        case WM_COMMAND: {
            const auto control = reinterpret_cast<HWND>(lParam);
            if (Control* c = controlOf(control); c && c->onCommand(HIWORD(wParam))) return 0;
            onCommand(LOWORD(wParam), HIWORD(wParam), control);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (Control* c = controlOf(item->hwndItem); c && c->onDrawItem(*item)) return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const auto control = reinterpret_cast<HWND>(lParam);
            if (Control* c = controlOf(control)) {
                if (HBRUSH brush = c->onColour(dc)) return reinterpret_cast<LRESULT>(brush);
            }
            if (HBRUSH brush = onControlColour(dc, control)) return reinterpret_cast<LRESULT>(brush);
            break;
        }
        default:
            break;
    }
    return defaultHandling(message, wParam, lParam);
}

}  // namespace quillmere::win32
