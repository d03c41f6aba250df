#pragma once
// The web-help window: a browser that loads the help page once, when the window is created.
// Further requests only bring it to the front, so the page the user moved to stays. It lives in
// the web-help module (web_help_plugin.cpp), the only part of the tool that links Qt WebEngine.

#include <QWidget>

#include "web_help_module.h"

class QWebEngineView;

namespace quillmere::ui {

class Form3 : public QWidget {
    Q_OBJECT
  public:
    explicit Form3(const WebHelpSetup& setup);

    QWebEngineView* browser() const { return browser_; }

  private:
    QWebEngineView* browser_;
};

}  // namespace quillmere::ui
