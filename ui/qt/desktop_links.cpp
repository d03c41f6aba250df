#include "desktop_links.h"

#include <QDesktopServices>

#include "app_config.h"

namespace quillmere::ui {

Links builtInLinks() {
    return {QString::fromUtf8(kHelpAddress), QString::fromUtf8(kAuthorMail)};
}

QUrl helpPageUrl(const QString& helpAddress) {
    return QUrl::fromUserInput(helpAddress);
}

QUrl mailUrl(const QString& mail) {
    return QUrl(QStringLiteral("mailto:") + mail);
}

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

}  // namespace quillmere::ui
