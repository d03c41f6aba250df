#include "help_windows.h"

namespace quillmere::ui {
namespace {

// A closed window is on its way to deletion and counts as gone.
bool isOpen(const QWidget* window) {
    return window && window->isVisible();
}

void bringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

HelpWindows::HelpWindows(Links links, Form3::Navigate navigate)
    : links_(std::move(links)), navigate_(std::move(navigate)) {}

HelpWindows::~HelpWindows() {
    delete help_.data();
    delete webHelp_.data();
}

void HelpWindows::showHelp() {
    if (!isOpen(help_)) help_ = new Form2(links_, [this] { showWebHelp(); });
    bringToFront(help_);
}

void HelpWindows::showWebHelp() {
    if (!isOpen(webHelp_)) webHelp_ = new Form3(links_, navigate_);
    bringToFront(webHelp_);
}

}  // namespace quillmere::ui
