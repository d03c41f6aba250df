#pragma once
// The seam between the tool and the module that holds the web-help window. Only the module
// links Qt WebEngine, so the browser engine is mapped when the web help is first opened, not at
// every start. Both sides include this header; nothing else crosses.

#include <QFont>
#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <functional>

class QWidget;

namespace quillmere::ui {

// How the browser (the widget named "WebBrowser1") is sent to a page; tests watch it instead of
// reaching for the network. Empty: the browser loads the page itself.
using WebHelpNavigate = std::function<void(QWidget& browser, const QUrl& page)>;

// What the web-help window shows, decided by the tool.
struct WebHelpSetup {
    QString caption;  // the help page's address in capitals
    QUrl page;        // navigated to once, when the window is made
    QFont font;
    WebHelpNavigate navigate;
};

class WebHelpModule {
  public:
    virtual ~WebHelpModule() = default;
    // A new web-help window, not yet shown, without an owner; it deletes itself when closed.
    virtual QWidget* createForm3(const WebHelpSetup& setup) = 0;
};

}  // namespace quillmere::ui

#define QUILLMERE_WEB_HELP_MODULE_IID "org.quillmere.ModTool.WebHelpModule/1"
Q_DECLARE_INTERFACE(quillmere::ui::WebHelpModule, QUILLMERE_WEB_HELP_MODULE_IID)
