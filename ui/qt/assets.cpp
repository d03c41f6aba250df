#include "assets.h"

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

QIcon programIcon() {
    ensureResources();
    QIcon icon;
    for (int size : common::kIconSizes) icon.addFile(QStringLiteral(":/quillmere/icon-%1.png").arg(size));
    return icon;
}

QPixmap logo() {
    ensureResources();
    return QPixmap(QStringLiteral(":/quillmere/logo.png"));
}

QCursor linkCursor() {
    ensureResources();
    return QCursor(QPixmap(QStringLiteral(":/quillmere/link-cursor.xpm")), common::kLinkCursorHotSpotX,
                   common::kLinkCursorHotSpotY);
}

}  // namespace quillmere::ui
