#pragma once
// The folder list's open and closed folder pictures, drawn from the shared drawing in ui/common.

#include <QImage>

namespace quillmere::ui {

// The picture for a row of 16 points on a screen of `pixelRatio` pixels per point.
QImage folderPicture(bool open, qreal pixelRatio);

}  // namespace quillmere::ui
