#include "window_style.h"

#include <QPalette>
#include <QWidget>

namespace quillmere::ui {

QFont qtFont(const common::FontFace& face) {
    QFont font(toQString(face.family));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    return font;
}

void fillBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, toQColor(common::kText));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paintListYellow(QWidget* widget) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
        palette.setColor(role, kLightYellow);
    }
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
        palette.setColor(role, toQColor(common::kText));
    }
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace quillmere::ui
