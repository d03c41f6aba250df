#pragma once
// The two addresses the windows hand on (the help page and the author's mail) and the seam
// through which they reach the desktop.

#include <QString>
#include <QUrl>
#include <functional>

namespace quillmere::ui {

struct Links {
    QString helpAddress;  // host and path, no scheme
    QString authorMail;
};

// The addresses chosen at build time.
Links builtInLinks();

// The http URL a browser makes of an address typed without a scheme.
QUrl helpPageUrl(const QString& helpAddress);

// "mailto:" followed at once by the address.
QUrl mailUrl(const QString& mail);

// Hands a URL to the desktop (web browser, mail program); the result is not looked at.
using UrlOpener = std::function<void(const QUrl&)>;
UrlOpener desktopUrlOpener();

}  // namespace quillmere::ui
