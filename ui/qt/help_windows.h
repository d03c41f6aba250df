#pragma once
// The help window and the web-help window: at most one of each, each without an owner, so that
// both live on independently of the main window and of each other.

#include <QPointer>

#include "desktop_links.h"
#include "form2.h"
#include "form3.h"

namespace quillmere::ui {

class HelpWindows {
  public:
    HelpWindows(Links links, Form3::Navigate navigate);
    ~HelpWindows();
    HelpWindows(const HelpWindows&) = delete;
    HelpWindows& operator=(const HelpWindows&) = delete;

    // Creates the window if it is not open, then shows it and brings it to the front.
    void showHelp();
    void showWebHelp();

    Form2* help() const { return help_; }
    Form3* webHelp() const { return webHelp_; }

  private:
    Links links_;
    Form3::Navigate navigate_;
    QPointer<Form2> help_;
    QPointer<Form3> webHelp_;
};

}  // namespace quillmere::ui
