#pragma once
// The images the windows show, from the resources compiled into the program.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace quillmere::ui {

QIcon programIcon();   // the windows' icon: 16, 20, 24 and 32 pixels
QPixmap logo();        // 139 x 138, on slate blue
QCursor linkCursor();  // pointing hand, hot spot at the fingertip

// Reads the picture at `path` in the format its name ends in (".png", ".xpm"); a null image if
// it cannot. Unlike QImage's own loading it never loads Qt's image plugins to ask each whether it
// knows the file, which cost the window's start more than decoding its pictures.
QImage readPicture(const QString& path);

}  // namespace quillmere::ui
