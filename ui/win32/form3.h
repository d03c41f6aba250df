#pragma once
// The web-help window: a sizable window holding the system's web browser control, which loads
// the help page once, when the window is created. The browser keeps its size however the
// window is resized.

#include <functional>
#include <memory>
#include <string>

#include "app.h"
#include "gdi.h"
#include "web_browser_host.h"

namespace quillmere::win32 {

using BrowserFactory = std::function<std::unique_ptr<Browser>()>;

class Form3 : public Window {
  public:
    Form3(std::string helpAddress, BrowserFactory makeBrowser, TopLevelWindows& windows);

    ~Form3() override { destroy(); }  // while still a Form3, so that onDestroy runs

    bool create(const Scale& scale);
    // What the browser answered when it was created and told to navigate.
    HRESULT createResult() const { return createResult_; }
    HRESULT navigateResult() const { return navigateResult_; }
    const RECT& browserRect() const { return browserRect_; }

  protected:
    void onDestroy() override;

  private:
    std::string helpAddress_;
    BrowserFactory makeBrowser_;
    TopLevelWindows& windows_;
    std::unique_ptr<Browser> browser_;
    RECT browserRect_{};
    HRESULT createResult_ = E_PENDING;
    HRESULT navigateResult_ = E_PENDING;
};

}  // namespace quillmere::win32
