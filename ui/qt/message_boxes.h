#pragma once
// The program's modal message boxes, behind a seam so that tests can answer them.

#include <QString>

class QWidget;

namespace quillmere::ui {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    // The text, one OK button, no icon, the application title as caption.
    virtual void inform(QWidget* parent, const QString& text);
    // The text, the question icon, Yes (the default) and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title);
};

}  // namespace quillmere::ui
