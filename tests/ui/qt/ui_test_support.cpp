#include "ui_test_support.h"

#include <QDir>

namespace quillmere::ui::testing {

void RecordingBoxes::inform(QWidget* parent, const QString& text) {
    shown.push_back({text, QString(), parent && parent->isVisible()});
}

bool RecordingBoxes::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    shown.push_back({text, title, parent && parent->isVisible()});
    return answerYes;
}

QStringList RecordingBoxes::texts() const {
    QStringList all;
    for (const ShownBox& box : shown) all << box.text;
    return all;
}

Form1Harness::Form1Harness() {
    QDir().mkpath(home());
    setup.folders = {"/", (package() + QLatin1Char('/')).toStdString(), package().toStdString(),
                     home().toStdString()};
    setup.drives = {{QStringLiteral("/"), QStringLiteral("/")}, {home(), QStringLiteral("home")}};
    setup.links = {QStringLiteral("Www.Example.ORG/Quillmere/Help.html"),
                   QStringLiteral("author@example.org")};
    setup.boxes = &boxes;
    setup.openUrl = [this](const QUrl& url) { openedUrls.push_back(url); };
    setup.quit = [this] { ++quitCalls; };
    setup.bannerSeed = 1;
}

void Form1Harness::makeFolder(const QString& relative) const {
    QDir().mkpath(QDir(home()).filePath(relative));
}

}  // namespace quillmere::ui::testing
