#include "form3.h"

#include <QWebEngineView>

namespace quillmere::ui {

Form3::Form3(const WebHelpSetup& setup) {
    setWindowTitle(setup.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(setup.font);
    resize(867, 638);

    // The browser keeps its size however the window is resized: nothing lays it out.
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(QStringLiteral("WebBrowser1"));
    browser_->setGeometry(0, 0, 865, 609);

    if (setup.navigate) {
        setup.navigate(*browser_, setup.page);
    } else {
        browser_->load(setup.page);
    }
}

}  // namespace quillmere::ui
