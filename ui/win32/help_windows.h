#pragma once
// The help window and the web-help window: at most one of each, each without an owner, so that
// both live on independently of the main window and of each other.

#include <memory>
#include <string>

#include "form2.h"
#include "form3.h"

namespace quillmere::win32 {

class HelpWindows {
  public:
    HelpWindows(std::string helpAddress, BrowserFactory makeBrowser, TopLevelWindows& windows, Scale scale);

    // Creates the window if it is not open, then shows it and brings it to the front.
    void showHelp();
    void showWebHelp();

    // The open window, or null.
    Form2* help() const { return help_ && help_->exists() ? help_.get() : nullptr; }
    Form3* webHelp() const { return webHelp_ && webHelp_->exists() ? webHelp_.get() : nullptr; }
    // How many of each have been created so far.
    int helpCreated() const { return helpCreated_; }
    int webHelpCreated() const { return webHelpCreated_; }

  private:
    std::string helpAddress_;
    BrowserFactory makeBrowser_;
    TopLevelWindows& windows_;
    Scale scale_;
    std::unique_ptr<Form2> help_;
    std::unique_ptr<Form3> webHelp_;
    int helpCreated_ = 0;
    int webHelpCreated_ = 0;
};

}  // namespace quillmere::win32
