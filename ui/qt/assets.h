#pragma once
// The images the windows show, from the resources compiled into the program.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace quillmere::ui {

QIcon programIcon();   // the windows' icon: 16, 20, 24 and 32 pixels
QPixmap logo();        // 139 x 138, on slate blue
QCursor linkCursor();  // pointing hand, hot spot at the fingertip

}  // namespace quillmere::ui
