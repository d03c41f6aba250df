#pragma once
// Doubles for the window tests: message boxes that the test answers and records, and a main
// window set up on a temporary home folder (the real one is never looked at).

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <vector>

#include "form1.h"

namespace quillmere::ui::testing {

struct ShownBox {
    QString text;
    QString title;               // empty for an information box, which takes the application's
    bool parentVisible = false;  // whether its window was on screen yet
};

class RecordingBoxes : public MessageBoxes {
  public:
    void inform(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override;
    QStringList texts() const;

    std::vector<ShownBox> shown;
    bool answerYes = false;
};

struct Form1Harness {
    Form1Harness();
    QString home() const { return dir.path() + QStringLiteral("/home"); }
    QString package() const { return home() + QStringLiteral("/ati"); }
    // Creates a folder below the home folder.
    void makeFolder(const QString& relative) const;

    QTemporaryDir dir;
    RecordingBoxes boxes;
    std::vector<QUrl> openedUrls;
    int quitCalls = 0;
    Form1Setup setup;
};

}  // namespace quillmere::ui::testing
