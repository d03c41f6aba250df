#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "from_common.h"
#include "texts.h"

namespace quillmere::ui {
namespace {

// While a run holds the thread the wait cursor is up; a box that waits for the user shows the
// ordinary arrow instead.
class ArrowWhileOpen {
  public:
    ArrowWhileOpen() : active_(QApplication::overrideCursor() != nullptr) {
        if (active_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileOpen() {
        if (active_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileOpen(const ArrowWhileOpen&) = delete;
    ArrowWhileOpen& operator=(const ArrowWhileOpen&) = delete;

  private:
    bool active_;
};

}  // namespace

void MessageBoxes::inform(QWidget* parent, const QString& text) {
    ArrowWhileOpen arrow;
    // The caption is passed in, not left to the application display name: setting that name
    // would make Qt append it to every window caption.
    QMessageBox box(QMessageBox::NoIcon, toQString(common::kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool MessageBoxes::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    ArrowWhileOpen arrow;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace quillmere::ui
