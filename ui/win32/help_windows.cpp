#include "help_windows.h"

namespace quillmere::win32 {
namespace {

void bringToFront(HWND window) {
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window);
}

}  // namespace

HelpWindows::HelpWindows(std::string helpAddress, BrowserFactory makeBrowser, TopLevelWindows& windows,
                         Scale scale)
    : helpAddress_(std::move(helpAddress)),
      makeBrowser_(std::move(makeBrowser)),
      windows_(windows),
      scale_(scale) {}

void HelpWindows::showHelp() {
    if (!help()) {
        // A closed window's object is discarded only now: it may have been closed from its own button.
        help_ = std::make_unique<Form2>(
            helpAddress_, [this] { showWebHelp(); }, windows_);
        help_->create(scale_);
        ++helpCreated_;
    }
    bringToFront(help_->hwnd());
}

void HelpWindows::showWebHelp() {
    if (!webHelp()) {
        webHelp_ = std::make_unique<Form3>(helpAddress_, makeBrowser_, windows_);
        webHelp_->create(scale_);
        ++webHelpCreated_;
    }
    bringToFront(webHelp_->hwnd());
}

}  // namespace quillmere::win32
