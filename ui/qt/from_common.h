#pragma once
// The shared toolkit-free data in Qt's types.

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <string_view>

#include "colours.h"
#include "layout.h"
#include "twips.h"

namespace quillmere::ui {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(common::Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// Qt lays out in device-independent pixels, which are pixels at 96 dpi.
inline QRect toQRect(const common::TwipsRect& twips) {
    const common::PixelRect pixels = common::twipsToPixels(twips);
    return QRect(pixels.x, pixels.y, pixels.width, pixels.height);
}

inline QRect toQRect(const common::PixelRect& pixels) {
    return QRect(pixels.x, pixels.y, pixels.width, pixels.height);
}

inline QSize clientSize(const common::WindowRow& window) {
    return QSize(common::twipsToPixels(window.clientWidth), common::twipsToPixels(window.clientHeight));
}

}  // namespace quillmere::ui
