#include "form3.h"

#include <QWebEngineView>

#include "from_common.h"
#include "layout.h"
#include "links.h"
#include "window_style.h"

namespace quillmere::ui {

Form3::Form3(const Links& links, const Navigate& navigate) {
    setWindowTitle(toQString(common::webHelpCaption(links.helpAddress.toStdString())));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(classicFont());
    resize(clientSize(common::kForm3));

    // The browser keeps its size however the window is resized: nothing lays it out.
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(toQString(common::kForm3WebBrowser1.name));
    browser_->setGeometry(toQRect(common::kForm3WebBrowser1.twips));

    const QUrl page = helpPageUrl(links.helpAddress);
    if (navigate) {
        navigate(*browser_, page);
    } else {
        browser_->load(page);
    }
}

}  // namespace quillmere::ui
