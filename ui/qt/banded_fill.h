#pragma once
// Qt's raster engine hands a fill of more than about a hundred spans to a pool of threads and
// waits for them. A small shape gains nothing from that, and the first fill of a program waits
// for the pool's threads to be started (1 to 2 ms of the main window's first frame here).
// Filled in bands of a few device rows, each band stays below that size: the same pixels, filled
// on the painting thread alone.

#include <QPainter>
#include <QPolygonF>

namespace quillmere::ui {

// Fills `polygon` with the painter's brush and pen, as QPainter::drawPolygon() does, band by
// band, each band clipped to whole device rows within the painter's clip.
void drawPolygonInBands(QPainter& painter, const QPolygonF& polygon);

}  // namespace quillmere::ui
