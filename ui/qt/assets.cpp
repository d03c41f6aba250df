#include "assets.h"

#include <QFileInfo>
#include <QImageReader>

#include "images.h"

// Resources of a static library are not pulled in by the linker on their own.
static void initAssetResources() {
    Q_INIT_RESOURCE(assets);
}

namespace quillmere::ui {
namespace {

void ensureResources() {
    static const bool done = (initAssetResources(), true);
    (void)done;
}

}  // namespace

QImage readPicture(const QString& path) {
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    // With detection on, the reader offers the file to every image plugin before its own
    // built-in formats, loading each plugin and the libraries it needs.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon programIcon() {
    ensureResources();
    QIcon icon;
    for (int size : common::kIconSizes) {
        icon.addPixmap(QPixmap::fromImage(readPicture(QStringLiteral(":/quillmere/icon-%1.png").arg(size))));
    }
    return icon;
}

QPixmap logo() {
    ensureResources();
    return QPixmap::fromImage(readPicture(QStringLiteral(":/quillmere/logo.png")));
}

QCursor linkCursor() {
    ensureResources();
    return QCursor(QPixmap::fromImage(readPicture(QStringLiteral(":/quillmere/link-cursor.xpm"))),
                   common::kLinkCursorHotSpotX, common::kLinkCursorHotSpotY);
}

}  // namespace quillmere::ui
