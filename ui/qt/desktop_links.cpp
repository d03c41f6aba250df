#include "desktop_links.h"

#include <QDesktopServices>

#include "from_common.h"
#include "links.h"

namespace quillmere::ui {

Links builtInLinks() {
    return {toQString(common::builtInHelpAddress()), toQString(common::builtInAuthorMail())};
}

QUrl helpPageUrl(const QString& helpAddress) {
    return QUrl(toQString(common::helpPageUrl(helpAddress.toStdString())));
}

QUrl mailUrl(const QString& mail) {
    return QUrl(toQString(common::mailtoLink(mail.toStdString())));
}

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

}  // namespace quillmere::ui
