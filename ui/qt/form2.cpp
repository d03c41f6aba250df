#include "form2.h"

#include <QMouseEvent>
#include <QPushButton>

#include "assets.h"
#include "from_common.h"
#include "layout.h"
#include "links.h"
#include "window_style.h"

namespace quillmere::ui {

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

Form2::Form2(const Links& links, std::function<void()> openWebHelp) : openWebHelp_(std::move(openWebHelp)) {
    setWindowTitle(toQString(common::kForm2.caption));
    // A tool window: fixed border, close box only, no task-bar entry.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // Qt takes tool windows out of the count of open windows; this one keeps the program alive.
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(clientSize(common::kForm2));
    setWindowIcon(programIcon());
    setFont(classicFont());
    fillBackground(this, kLightYellow);

    for (const common::ControlRow& row : common::kForm2Controls) {
        if (row.name == "Label1") {
            addLink(row, toQString(common::helpLinkText(links.helpAddress.toStdString())));
        } else if (row.kind == common::ControlKind::pushButton) {
            auto* close = new QPushButton(toQString(row.text), this);
            close->setObjectName(toQString(row.name));
            close->setGeometry(toQRect(row.twips));
            connect(close, &QPushButton::clicked, this, &QWidget::close);
        } else {
            addLabel(row);
        }
    }

    // Underlines the address, which the label puts on a line of its own.
    auto* line1 = new QWidget(this);
    line1->setObjectName(toQString(common::kForm2Line1.name));
    line1->setGeometry(toQRect(common::linePixels(common::kForm2Line1)));
    fillBackground(line1, toQColor(common::kForm2Line1.colour));
}

void Form2::addLink(const common::ControlRow& row, const QString& text) {
    auto* link = new LinkLabel(this);
    link->setObjectName(toQString(row.name));
    link->setGeometry(toQRect(row.twips));
    link->setText(text);
    link->setTextFormat(Qt::PlainText);
    link->setWordWrap(true);
    link->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    link->setCursor(linkCursor());
    connect(link, &LinkLabel::clicked, this, [this] { openWebHelp_(); });
}

QLabel* Form2::addLabel(const common::ControlRow& row) {
    auto* label = new QLabel(toQString(row.text), this);
    label->setObjectName(toQString(row.name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);  // wraps at blanks; what does not fit the fixed height is cut off
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(toQRect(row.twips));
    return label;
}

}  // namespace quillmere::ui
