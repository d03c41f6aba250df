#pragma once
// Looks the windows share: the classic dialog font and the light yellow of lists and help.

#include <QColor>
#include <QFont>

#include "colours.h"
#include "fonts.h"
#include "from_common.h"

class QWidget;

namespace quillmere::ui {

inline const QColor kLightYellow = toQColor(common::kLightYellow);

// The font `face` where the system has it; Qt's font matching finds the nearest otherwise.
QFont qtFont(const common::FontFace& face);

// Tahoma 8.25 pt, the font of every visible text.
inline QFont classicFont() {
    return qtFont(common::kWindowFont);
}

// Fills the widget's background with `colour`; its text is black.
void fillBackground(QWidget* widget, const QColor& colour);

// Black on light yellow for a list or drop-down list, whichever colour role its style paints.
void paintListYellow(QWidget* widget);

}  // namespace quillmere::ui
