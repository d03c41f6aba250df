#include "banded_fill.h"

namespace quillmere::ui {
namespace {

// A row of an antialiased star crosses at most four edges, each one to three spans wide: well
// under the hundred spans of four rows.
constexpr int kBandRows = 4;

}  // namespace

void drawPolygonInBands(QPainter& painter, const QPolygonF& polygon) {
    const QTransform onScreen = painter.transform();
    // One row more on each side for the smoothed edges and the pen.
    const QRect box = onScreen.map(polygon).boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    for (int top = box.top(); top <= box.bottom(); top += kBandRows) {
        painter.save();
        // The band in device rows: under a scaled transform a clip rectangle would be rounded.
        painter.resetTransform();
        painter.setClipRect(QRect(box.left(), top, box.width(), kBandRows), Qt::IntersectClip);
        painter.setTransform(onScreen);
        painter.drawPolygon(polygon);
        painter.restore();
    }
}

}  // namespace quillmere::ui
