#include "form3.h"

#include "layout.h"
#include "links.h"
#include "shared_layout.h"

namespace quillmere::win32 {

namespace common = ui::common;

Form3::Form3(std::string helpAddress, BrowserFactory makeBrowser, TopLevelWindows& windows)
    : helpAddress_(std::move(helpAddress)), makeBrowser_(std::move(makeBrowser)), windows_(windows) {}

bool Form3::create(const Scale& scale) {
    CreateInfo info;
    info.className = "QuillmereForm3";
    info.caption = common::webHelpCaption(helpAddress_);
    const FrameStyle frame = frameStyleOf(common::kForm3);
    info.style = frame.style | WS_CLIPCHILDREN;
    info.exStyle = frame.exStyle;
    info.rect = clientArea(common::kForm3, scale);
    info.background = ::GetSysColorBrush(COLOR_BTNFACE);
    if (!Window::create(info)) return false;
    windows_.opened(*this);

    // The load action: the browser is made and sent to the help page, once per window. Its
    // rectangle is set here only, so that resizing the window leaves it as it is.
    const Rect at = place(common::kForm3WebBrowser1.twips, scale);
    browserRect_ = {at.left, at.top, at.left + at.width, at.top + at.height};
    browser_ = makeBrowser_ ? makeBrowser_() : makeWebBrowserControl();
    createResult_ = browser_->create(hwnd(), browserRect_);
    if (SUCCEEDED(createResult_)) navigateResult_ = browser_->navigate(helpAddress_);
    return true;
}

void Form3::onDestroy() {
    // The control lets go of its site while this window still exists.
    if (browser_) browser_->close();
    windows_.closed(*this);
}

}  // namespace quillmere::win32
