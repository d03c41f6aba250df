#include "help_windows.h"

#include "from_common.h"
#include "links.h"
#include "web_help_unavailable.h"
#include "window_style.h"

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

HelpWindows::HelpWindows(Links links, WebHelpNavigate navigate)
    : links_(std::move(links)), navigate_(std::move(navigate)), loader_(std::make_unique<WebHelpLoader>()) {}

HelpWindows::~HelpWindows() {
    delete help_.data();
    delete webHelp_.data();
}

void HelpWindows::setWebHelpModuleCandidates(QStringList candidates) {
    loader_ = std::make_unique<WebHelpLoader>(std::move(candidates));
}

void HelpWindows::showHelp() {
    if (!isOpen(help_)) help_ = new Form2(links_, [this] { showWebHelp(); });
    bringToFront(help_);
}

void HelpWindows::showWebHelp() {
    if (!isOpen(webHelp_)) {
        const WebHelpSetup setup{toQString(common::webHelpCaption(links_.helpAddress.toStdString())),
                                 helpPageUrl(links_.helpAddress), classicFont(), navigate_};
        WebHelpModule* module = loader_->module();
        webHelp_ = module ? module->createForm3(setup) : makeWebHelpUnavailable(setup, loader_->error());
    }
    bringToFront(webHelp_);
}

}  // namespace quillmere::ui
