#pragma once
// The system's web browser control (CLSID_WebBrowser) in a window of ours, through an OLE site
// of our own. See web_browser_host.cpp for what hosting it takes.

#include <windows.h>

#include <memory>
#include <string>

namespace quillmere::win32 {

// The browser as the web-help window uses it; tests put a recording one in its place.
class Browser {
  public:
    virtual ~Browser() = default;
    // Creates the control, in place in `parent` at `rect` (client pixels).
    virtual HRESULT create(HWND parent, const RECT& rect) = 0;
    // IWebBrowser2::Navigate with the address and nothing else; the page loads in its own time.
    virtual HRESULT navigate(const std::string& address) = 0;
    // Lets the control go; it must happen before its parent window is destroyed.
    virtual void close() = 0;
};

// The real control.
std::unique_ptr<Browser> makeWebBrowserControl();

}  // namespace quillmere::win32
