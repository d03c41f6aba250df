#pragma once
// The help window and the web-help window: at most one of each, each without an owner, so that
// both live on independently of the main window and of each other. The web-help window comes
// from a module loaded when it is first asked for (web_help_loader.h).

#include <QPointer>
#include <QWidget>

#include "desktop_links.h"
#include "form2.h"
#include "web_help_loader.h"
#include "web_help_module.h"

namespace quillmere::ui {

class HelpWindows {
  public:
    HelpWindows(Links links, WebHelpNavigate navigate);
    ~HelpWindows();
    HelpWindows(const HelpWindows&) = delete;
    HelpWindows& operator=(const HelpWindows&) = delete;

    // Creates the window if it is not open, then shows it and brings it to the front.
    void showHelp();
    void showWebHelp();

    Form2* help() const { return help_; }
    // Form3, or the plain window that says why the module could not be loaded.
    QWidget* webHelp() const { return webHelp_; }

    // Where the web-help module is looked for; used before the first web help only.
    void setWebHelpModuleCandidates(QStringList candidates);

  private:
    Links links_;
    WebHelpNavigate navigate_;
    std::unique_ptr<WebHelpLoader> loader_;
    QPointer<Form2> help_;
    QPointer<QWidget> webHelp_;
};

}  // namespace quillmere::ui
