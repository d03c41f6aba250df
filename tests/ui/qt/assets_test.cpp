// The pictures the windows show: the icon and the logo are the pixels of their drawings, the
// folder list draws its folder pictures, and none of this brings Qt's image plugins into the
// process (they cost the window's start more than the pictures themselves).

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "assets.h"
#include "help_windows.h"
#include "folder_list.h"
#include "folder_pictures.h"
#include "form1.h"
#include "folder_picture.h"
#include "from_common.h"
#include "images.h"
#include "ui_test_support.h"

using namespace quillmere::ui;

namespace {

// The image plugins this process has mapped, from /proc/self/maps.
QStringList mappedImagePlugins() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(cannot read /proc/self/maps)")};
    QStringList plugins;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/")) plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    }
    plugins.removeDuplicates();
    return plugins;
}

// One of the drawings in ui/assets, as Qt decodes its PNG, in the layout the windows compare.
QImage drawing(const QString& name) {
    return readPicture(QStringLiteral(QUILLMERE_ASSETS_DIR "/") + name).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage premultiplied(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The first pixel where two pictures differ, or "" when they hold the same pixels. QImage's own
// comparison also weighs the colour space, which a conversion may drop.
QString firstDifference(const QImage& shown, const QImage& expected) {
    if (shown.size() != expected.size()) return QStringLiteral("sizes differ");
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y)) {
                return QStringLiteral("pixel %1,%2: %3 against %4")
                    .arg(x).arg(y).arg(shown.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16);
            }
        }
    }
    return {};
}

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT

  private slots:
    // First, while nothing else in this process has read a picture.
    void theMainWindowAndItsPicturesLoadNoImagePlugin();
    void theIconAndTheLogoAreThePixelsOfTheirDrawings();
    void theLinkCursorReadsAtItsSize();
    void aPictureThatCannotBeReadIsNull();
    void theFolderListDrawsAnOpenAndAClosedFolder();
    void theFolderPicturesScaleWithTheScreen();
};

void AssetsTest::theMainWindowAndItsPicturesLoadNoImagePlugin() {
#ifndef Q_OS_LINUX
    QSKIP("reads /proc/self/maps");
#endif
    QVERIFY2(mappedImagePlugins().isEmpty(), qPrintable(mappedImagePlugins().join(", ")));
    testing::Form1Harness harness;
    harness.makeFolder(QStringLiteral("ati"));
    harness.makeFolder(QStringLiteral("ati/Driver"));
    Form1 form(harness.setup);
    form.start();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.grab();  // paints every control, the logo included
    form.helpWindows().showHelp();
    QWidget* help = form.helpWindows().help();
    QVERIFY(QTest::qWaitForWindowExposed(help));
    help->grab();  // the link cursor's picture too
    QVERIFY2(mappedImagePlugins().isEmpty(), qPrintable(mappedImagePlugins().join(", ")));

    // Both windows carry the program's icon, not a blank one.
    const QImage icon16 = drawing(QStringLiteral("icon-16.png"));
    QVERIFY(!icon16.isNull());
    for (QWidget* window : {static_cast<QWidget*>(&form), help}) {
        QCOMPARE(firstDifference(premultiplied(window->windowIcon().pixmap(16, 16)), icon16), QString());
    }
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().size(),
             QSize(common::kLogoWidth, common::kLogoHeight));
}

void AssetsTest::theIconAndTheLogoAreThePixelsOfTheirDrawings() {
    // The resources hold the drawings of ui/assets: each size there, with its alpha.
    const QIcon icon = programIcon();
    QList<QSize> iconSizes = icon.availableSizes();
    std::sort(iconSizes.begin(), iconSizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(iconSizes, (QList<QSize>{{16, 16}, {20, 20}, {24, 24}, {32, 32}}));
    for (int size : common::kIconSizes) {
        const QImage expected = drawing(QStringLiteral("icon-%1.png").arg(size));
        QCOMPARE(expected.size(), QSize(size, size));
        const QImage shown = premultiplied(icon.pixmap(size, size));
        QCOMPARE(firstDifference(shown, expected), QString());
        // See-through corners and an opaque middle: the alpha is not lost on the way.
        QVERIFY(qAlpha(shown.pixel(0, 0)) < 128);
        QVERIFY(qAlpha(shown.pixel(size / 2, size / 2)) > 200);
    }
    const QPixmap logoPicture = logo();
    QCOMPARE(logoPicture.size(), QSize(common::kLogoWidth, common::kLogoHeight));
    QCOMPARE(firstDifference(premultiplied(logoPicture), drawing(QStringLiteral("logo.png"))), QString());
}

void AssetsTest::theLinkCursorReadsAtItsSize() {
    const QCursor cursor = linkCursor();
    QCOMPARE(cursor.pixmap().size(), QSize(common::kLinkCursorSize, common::kLinkCursorSize));
    QCOMPARE(cursor.hotSpot(), QPoint(common::kLinkCursorHotSpotX, common::kLinkCursorHotSpotY));
}

void AssetsTest::aPictureThatCannotBeReadIsNull() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(readPicture(dir.filePath(QStringLiteral("missing.png"))).isNull(), true);
    // Bytes that are no PNG, under a PNG's name: read as PNG, they fail.
    QFile junk(dir.filePath(QStringLiteral("junk.png")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("GIF89a not a png at all");
    junk.close();
    QCOMPARE(readPicture(junk.fileName()).isNull(), true);
    // A real PNG under a name without a known ending is not guessed at either.
    QVERIFY(QFile::copy(QStringLiteral(QUILLMERE_ASSETS_DIR "/icon-16.png"), dir.filePath(QStringLiteral("icon"))));
    QCOMPARE(readPicture(dir.filePath(QStringLiteral("icon"))).isNull(), true);
}

namespace {

// The open folder's line and the subfolder's line of a list opened on a folder with one subfolder.
struct FolderLines {
    QImage open;
    QImage closed;
};

FolderLines folderLines(FolderList& list, const QString& root, int side) {
    QDir(root).mkpath(QStringLiteral("open/Sub"));
    list.setPath(root + QStringLiteral("/open"));
    if (list.count() < 2 || list.item(list.count() - 1)->text() != QLatin1String("Sub")) return {};
    return {list.item(list.count() - 2)->icon().pixmap(QSize(side, side)).toImage(),
            list.item(list.count() - 1)->icon().pixmap(QSize(side, side)).toImage()};
}

QColor at(const QImage& picture, int x, int y) {
    return picture.pixelColor(x, y);
}

}  // namespace

void AssetsTest::theFolderListDrawsAnOpenAndAClosedFolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FolderList list;
    const FolderLines lines = folderLines(list, dir.path(), common::kFolderGrid);
    QVERIFY(!lines.open.isNull() && !lines.closed.isNull());
    for (const QImage& picture : {lines.open, lines.closed}) {
        QCOMPARE(picture.size(), QSize(common::kFolderGrid, common::kFolderGrid));
        QCOMPARE(at(picture, 0, 0).alpha(), 0);                          // outside the folder
        QCOMPARE(at(picture, 1, 10), toQColor(common::kFolderOutline));  // its left edge
        QCOMPARE(at(picture, 10, 5), toQColor(common::kFolderBack));     // the back, above the flap
        QCOMPARE(at(picture, 0, 15).alpha(), 0);
    }
    // The flaps: the open one is lighter and leans out past the back's right edge.
    QCOMPARE(at(lines.open, 7, 10), toQColor(common::kOpenFolderFront));
    QCOMPARE(at(lines.closed, 7, 10), toQColor(common::kClosedFolderFront));
    QCOMPARE(at(lines.open, 15, 7), toQColor(common::kFolderOutline));
    QCOMPARE(at(lines.closed, 15, 7).alpha(), 0);
    QVERIFY(lines.open != lines.closed);
}

void AssetsTest::theFolderPicturesScaleWithTheScreen() {
    // On a screen of two pixels per point the same folder is drawn in twice the pixels, with an
    // outline two pixels wide, not a 16-pixel picture blown up.
    const QImage one = folderPicture(false, 1.0);
    const QImage two = folderPicture(false, 2.0);
    QCOMPARE(two.size(), QSize(2 * common::kFolderGrid, 2 * common::kFolderGrid));
    QCOMPARE(two.deviceIndependentSize(), QSizeF(common::kFolderGrid, common::kFolderGrid));
    for (int y = 0; y < common::kFolderGrid; ++y) {
        for (int x = 0; x < common::kFolderGrid; ++x) {
            // Each pixel of the flap becomes four; the wider pen covers the lower right one of those
            // next to the outline, so the upper left one is looked at.
            if (at(one, x, y) != toQColor(common::kClosedFolderFront)) continue;
            QCOMPARE(at(two, 2 * x, 2 * y), toQColor(common::kClosedFolderFront));
        }
    }
    QCOMPARE(at(two, 0, 20).alpha(), 0);
    QCOMPARE(at(two, 1, 20), toQColor(common::kFolderOutline));
    QCOMPARE(at(two, 2, 20), toQColor(common::kFolderOutline));
    QCOMPARE(at(two, 3, 20), toQColor(common::kClosedFolderFront));
    // A ratio between whole numbers still gets a whole picture: 24 pixels at 1.5.
    QCOMPARE(folderPicture(true, 1.5).size(), QSize(24, 24));
}

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
