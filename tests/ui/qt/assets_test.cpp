// The pictures the windows show: each one reads at its size from the compiled-in resources, the
// folder list shows Qt's classic folder pictures, and none of this brings Qt's image plugins
// into the process (they cost the window's start more than the pictures themselves).

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "assets.h"
#include "help_windows.h"
#include "folder_list.h"
#include "form1.h"
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

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT

  private slots:
    // First, while nothing else in this process has read a picture.
    void theMainWindowAndItsPicturesLoadNoImagePlugin();
    void eachPictureReadsAtItsSize();
    void aPictureThatCannotBeReadIsNull();
    void theFolderListShowsTheClassicFolderPictures();
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
    const QImage icon16 = readPicture(QStringLiteral(":/quillmere/icon-16.png"))
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (QWidget* window : {static_cast<QWidget*>(&form), help}) {
        QCOMPARE(window->windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 icon16);
    }
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().size(),
             QSize(common::kLogoWidth, common::kLogoHeight));
}

void AssetsTest::eachPictureReadsAtItsSize() {
    QList<QSize> iconSizes = programIcon().availableSizes();
    std::sort(iconSizes.begin(), iconSizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(iconSizes, (QList<QSize>{{16, 16}, {20, 20}, {24, 24}, {32, 32}}));
    for (int size : common::kIconSizes) {
        const QImage icon = readPicture(QStringLiteral(":/quillmere/icon-%1.png").arg(size));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }
    QCOMPARE(logo().size(), QSize(common::kLogoWidth, common::kLogoHeight));
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
    QVERIFY(QFile::copy(QStringLiteral(":/quillmere/icon-16.png"), dir.filePath(QStringLiteral("icon"))));
    QCOMPARE(readPicture(dir.filePath(QStringLiteral("icon"))).isNull(), true);
}

void AssetsTest::theFolderListShowsTheClassicFolderPictures() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("open/Sub")));
    FolderList list;
    list.setPath(dir.filePath(QStringLiteral("open")));
    QVERIFY(list.count() >= 2);
    const QImage open = list.item(list.count() - 2)->icon().pixmap(16, 16).toImage();
    const QImage closed = list.item(list.count() - 1)->icon().pixmap(16, 16).toImage();
    QCOMPARE(list.item(list.count() - 1)->text(), QString("Sub"));
    const QImage qtOpen(QStringLiteral(":/qt-project.org/styles/commonstyle/images/diropen-16.png"));
    const QImage qtClosed(QStringLiteral(":/qt-project.org/styles/commonstyle/images/dirclosed-16.png"));
    QVERIFY(!qtOpen.isNull() && !qtClosed.isNull());
    QCOMPARE(open.convertToFormat(QImage::Format_ARGB32_Premultiplied), qtOpen.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QCOMPARE(closed.convertToFormat(QImage::Format_ARGB32_Premultiplied), qtClosed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
