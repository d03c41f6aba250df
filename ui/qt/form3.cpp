#include "form3.h"

#include <QWebEngineView>

#include "window_style.h"

namespace quillmere::ui {

Form3::Form3(const Links& links, const Navigate& navigate) {
    setWindowTitle(links.helpAddress.toUpper());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(classicFont());
    resize(867, 638);

    // The browser keeps its size however the window is resized: nothing lays it out.
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(QStringLiteral("WebBrowser1"));
    browser_->setGeometry(0, 0, 865, 609);

    const QUrl page = helpPageUrl(links.helpAddress);
    if (navigate) {
        navigate(*browser_, page);
    } else {
        browser_->load(page);
    }
}

}  // namespace quillmere::ui
