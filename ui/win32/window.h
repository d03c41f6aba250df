#pragma once
// The base of every window class of ours: it creates the HWND, keeps `this` beside it and routes
// the messages to virtual handlers. Messages that Windows sends a parent about one of its
// controls (commands, colours, owner drawing) are handed back to that control's own object.

#include <windows.h>

#include <string>

namespace quillmere::win32 {

class Control;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }
    void destroy();
    // A key for the window as a whole (Tab in an order of its own); true when it took it.
    virtual bool translateDialogKey(const MSG& /*msg*/) { return false; }

  protected:
    struct CreateInfo {
        const char* className = nullptr;
        std::string caption;
        DWORD style = 0;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        Rect rect;  // a top-level window's client area, or a child's place in its parent
        HICON icon = nullptr;
        HCURSOR cursor = nullptr;
        HBRUSH background = nullptr;  // filled in before painting; null: the window paints all of it
        UINT classStyle = 0;
        int id = 0;  // child windows only
    };
    // Registers the class on first use and creates the window; false if Windows refused.
    bool create(const CreateInfo& info);

    // Everything not handled below goes to DefWindowProc.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void onCreate() {}
    virtual bool onClose() { return false; }  // true: handled, the window stays
    virtual void onDestroy() {}
    virtual void onPaint(HDC /*dc*/, const RECT& /*dirty*/) {}
    virtual bool paints() const { return false; }  // true: WM_PAINT goes to onPaint
    virtual void onCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
    virtual void onTimer(UINT_PTR /*id*/) {}
    virtual void onSize(int /*width*/, int /*height*/) {}
    // A control's colours: return a brush (and set the DC's colours), or null for the default.
    virtual HBRUSH onControlColour(HDC /*dc*/, HWND /*control*/) { return nullptr; }
    virtual bool onSetCursor(HWND /*over*/) { return false; }

    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    // The window's own, not its class's: a class outlives the brush of the window that registered it.
    HBRUSH background_ = nullptr;
};

// The object behind a control's HWND, if it is one of ours.
Control* controlOf(HWND hwnd);

}  // namespace quillmere::win32
