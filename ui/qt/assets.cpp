#include "assets.h"

#include <QFileInfo>
#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <memory>

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

// The stored pixels are the bytes B, G, R, A of each pixel, which is QImage's 32-bit layout on a
// little-endian machine.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the stored pictures hold little-endian pixels");

// A picture the program shows at every start, stored as its raw pixels (made from its PNG by
// ui/assets/make-assets.sh) so that no decoder runs: reading the PNGs brought libpng, zlib and
// Qt's search of its image plugins into the start. Null if the resource is missing (no data) or
// holds another size.
QImage storedPixels(const QString& path, QSize size, QImage::Format format) {
    ensureResources();
    // Uncompressed resource data lies in the program itself and is shared, not copied; the image
    // keeps its own reference to it.
    auto data = std::make_unique<QByteArray>(QResource(path).uncompressedData());
    if (data->size() != qsizetype(size.width()) * size.height() * 4) return {};
    const auto* pixels = reinterpret_cast<const uchar*>(data->constData());
    return QImage(
        pixels, size.width(), size.height(), size.width() * 4, format,
        [](void* held) { delete static_cast<QByteArray*>(held); }, data.release());
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
    QIcon icon;
    for (int size : common::kIconSizes) {
        icon.addPixmap(QPixmap::fromImage(
            storedPixels(QStringLiteral(":/quillmere/icon-%1.bgra").arg(size), QSize(size, size), QImage::Format_ARGB32)));
    }
    return icon;
}

QPixmap logo() {
    return QPixmap::fromImage(storedPixels(QStringLiteral(":/quillmere/logo.bgra"),
                                           QSize(common::kLogoWidth, common::kLogoHeight), QImage::Format_RGB32));
}

QCursor linkCursor() {
    ensureResources();
    return QCursor(QPixmap::fromImage(readPicture(QStringLiteral(":/quillmere/link-cursor.xpm"))),
                   common::kLinkCursorHotSpotX, common::kLinkCursorHotSpotY);
}

}  // namespace quillmere::ui
