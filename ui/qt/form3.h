#pragma once
// The web-help window: a browser that loads the help page once, when the window is created.
// Further requests only bring it to the front, so the page the user moved to stays.

#include <QUrl>
#include <QWidget>
#include <functional>

#include "desktop_links.h"

class QWebEngineView;

namespace quillmere::ui {

class Form3 : public QWidget {
    Q_OBJECT
  public:
    // How the browser is sent to a page; tests watch it instead of reaching for the network.
    using Navigate = std::function<void(QWebEngineView&, const QUrl&)>;

    Form3(const Links& links, const Navigate& navigate);

    QWebEngineView* browser() const { return browser_; }

  private:
    QWebEngineView* browser_;
};

}  // namespace quillmere::ui
