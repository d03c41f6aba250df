#include "form3.h"

#include <QWebEngineView>

#include "from_common.h"
#include "layout.h"

namespace quillmere::ui {

Form3::Form3(const WebHelpSetup& setup) {
    setWindowTitle(setup.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(setup.font);
    resize(clientSize(common::kForm3));

    // The browser keeps its size however the window is resized: nothing lays it out.
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(toQString(common::kForm3WebBrowser1.name));
    browser_->setGeometry(toQRect(common::kForm3WebBrowser1.twips));

    if (setup.navigate) {
        setup.navigate(*browser_, setup.page);
    } else {
        browser_->load(setup.page);
    }
}

}  // namespace quillmere::ui
