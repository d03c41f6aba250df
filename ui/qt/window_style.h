#pragma once
// Looks the windows share: the classic dialog font and the light yellow of lists and help.

#include <QColor>
#include <QFont>

class QWidget;

namespace quillmere::ui {

inline const QColor kLightYellow(255, 255, 128);

// Tahoma 8.25 pt where the system has it; Qt's font matching finds the nearest otherwise.
QFont classicFont();

// Fills the widget's background with `colour`; its text is black.
void fillBackground(QWidget* widget, const QColor& colour);

// Black on light yellow for a list or drop-down list, whichever colour role its style paints.
void paintListYellow(QWidget* widget);

}  // namespace quillmere::ui
