#pragma once
// The help window: the four steps of a first run in fixed texts, a link to the web help and a
// button that closes it. It has no owner and no task-bar entry; closing it discards it.

#include <QLabel>
#include <functional>

#include "desktop_links.h"
#include "layout.h"

namespace quillmere::ui {

// A label that reports a click: a press and a release over it.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

class Form2 : public QWidget {
    Q_OBJECT
  public:
    Form2(const Links& links, std::function<void()> openWebHelp);

  private:
    void addLink(const common::ControlRow& row, const QString& text);
    QLabel* addLabel(const common::ControlRow& row);

    std::function<void()> openWebHelp_;
};

}  // namespace quillmere::ui
