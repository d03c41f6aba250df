#include "folder_pictures.h"

#include <QPainter>
#include <QPolygon>

#include "folder_lines.h"
#include "folder_picture.h"
#include "from_common.h"

namespace quillmere::ui {

QImage folderPicture(bool open, qreal pixelRatio) {
    // Drawn in the screen's own pixels, outline and all, rather than a 16-pixel picture scaled up.
    const int side = qRound(common::kFolderPictureSize * pixelRatio);
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setPen(QPen(toQColor(common::kFolderOutline), qMax(1, qRound(pixelRatio))));
        const auto polygon = [&](const auto& corners) {
            QPolygon points;
            for (const common::GridPoint& corner : corners) {
                const common::GridPoint pixel = common::folderPixel(corner, side);
                points << QPoint(pixel.x, pixel.y);
            }
            painter.drawPolygon(points);
        };
        painter.setBrush(toQColor(common::kFolderBack));
        polygon(common::kFolderBody);
        painter.setBrush(toQColor(open ? common::kOpenFolderFront : common::kClosedFolderFront));
        if (open) {
            polygon(common::kOpenFolderFlap);
        } else {
            polygon(common::kClosedFolderFlap);
        }
    }
    picture.setDevicePixelRatio(pixelRatio);
    return picture;
}

}  // namespace quillmere::ui
