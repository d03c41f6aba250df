// The banner: its clock runs only while it is visible, the flicker and the sparks change at their
// pace within their ranges, the seed decides the drawing, and a release opens the help page.

#include "banner_widget.h"

#include <QTest>
#include <set>

using namespace quillmere::ui;

namespace {

const QUrl kHelp(QStringLiteral("http://www.example.org/quillmere/help.html"));

struct Banner {
    std::vector<QUrl> opened;
    BannerWidget widget;
    explicit Banner(quint32 seed = 3)
        : widget(
              kHelp, [this](const QUrl& url) { opened.push_back(url); }, seed) {
        widget.resize(609, 313);
    }
};

}  // namespace

class BannerWidgetTest : public QObject {
    Q_OBJECT

  private slots:
    void playsOnlyWhileVisible();
    void flickersAndMovesOneSparkEveryTwoFrames();
    void theSeedDecidesTheDrawing();
    void theTitleHasItsFaintReflectionBelowItAtAnySize();
    void releasingTheButtonOverItOpensTheHelpPage();
};

void BannerWidgetTest::playsOnlyWhileVisible() {
    Banner banner;
    QVERIFY(!banner.widget.isPlaying());
    banner.widget.show();
    QTRY_VERIFY(banner.widget.frame() >= 3);
    banner.widget.hide();
    const int frozen = banner.widget.frame();
    QTest::qWait(250);
    QCOMPARE(banner.widget.frame(), frozen);
}

void BannerWidgetTest::flickersAndMovesOneSparkEveryTwoFrames() {
    Banner banner;
    std::set<double> heights;
    std::vector<int> moves(BannerWidget::kSparkCount, 0);
    for (int i = 0; i < 400; ++i) {
        const auto before = banner.widget.sparks();
        const double height = banner.widget.reflection().height;
        banner.widget.advanceFrame();
        const bool changeFrame = banner.widget.frame() % 2 == 0;
        const auto& reflection = banner.widget.reflection();
        if (!changeFrame) QCOMPARE(reflection.height, height);
        QVERIFY(reflection.height >= 0.91 && reflection.height <= 1.0);
        QVERIFY(reflection.opacity >= 0.10 && reflection.opacity <= 0.19);
        heights.insert(reflection.height);

        int moved = 0;
        for (std::size_t s = 0; s < before.size(); ++s) {
            const auto& spark = banner.widget.sparks()[s];
            QVERIFY(spark.opacity >= 0.10 && spark.opacity <= 0.49);
            QVERIFY(QRectF(0, 0, 600, 300).contains(QPointF(spark.position.x, spark.position.y)));
            if (spark.position != before[s].position || spark.squash != before[s].squash) {
                ++moved;
                ++moves[s];
            }
        }
        QCOMPARE(moved, changeFrame ? 1 : 0);
    }
    QCOMPARE(moves, std::vector<int>(BannerWidget::kSparkCount, 20));  // in turn: each every 2 s
    QVERIFY(heights.size() > 3);
}

void BannerWidgetTest::theSeedDecidesTheDrawing() {
    Banner a(7), b(7), c(8);
    for (Banner* banner : {&a, &b, &c}) {
        for (int i = 0; i < 5; ++i) banner->widget.advanceFrame();
    }
    const QImage image = a.widget.grab().toImage();
    QCOMPARE(image, b.widget.grab().toImage());
    QVERIFY(image != c.widget.grab().toImage());
    // Nothing but slate blue in the top third: the title lies in the lower half.
    QCOMPARE(image.copy(0, 0, image.width(), 100), image.copy(0, 0, 1, 1).scaled(image.width(), 100));
    QCOMPARE(image.pixelColor(0, 0), QColor(77, 97, 134));
}

namespace {

// Where the title shows in its own colour (its glyphs' cores, without the smoothed edges), and
// below it where its reflection shows (anything but slate blue), and whether that is faint.
struct TitleRows {
    QRect title;
    int reflectionTop = -1, reflectionBottom = -1, reflectionLeft = 1 << 30, reflectionRight = -1;
    bool reflectionTooBright = false;
};

TitleRows findTitle(const QImage& image) {
    const QColor blue(77, 97, 134), title(232, 238, 247);
    TitleRows rows;
    for (int y = image.height() / 2; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == title) rows.title |= QRect(x, y, 1, 1);
        }
    }
    // Past the smoothed lower edge of the glyphs.
    for (int y = rows.title.bottom() + 3; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == blue) continue;
            // The share of the way from slate blue towards the title colour, channel by channel.
            const double share = (c.red() - blue.red()) / double(title.red() - blue.red());
            if (share > 0.22) rows.reflectionTooBright = true;
            if (rows.reflectionTop < 0) rows.reflectionTop = y;
            rows.reflectionBottom = y;
            rows.reflectionLeft = std::min(rows.reflectionLeft, x);
            rows.reflectionRight = std::max(rows.reflectionRight, x);
        }
    }
    return rows;
}

}  // namespace

void BannerWidgetTest::theTitleHasItsFaintReflectionBelowItAtAnySize() {
    // Seed 3 puts no spark below the title; the check below would see one as reflection.
    // One banner through all sizes: what it draws follows each new size.
    Banner banner;
    for (int i = 0; i < 3; ++i) banner.widget.advanceFrame();
    for (const QSize size : {QSize(609, 313), QSize(1218, 626), QSize(609, 313)}) {
        banner.widget.resize(size);
        const QImage image = banner.widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const TitleRows rows = findTitle(image);
        const double scale = size.width() / 609.0;
        QVERIFY2(!rows.title.isEmpty(), "no title");
        // Centred across the banner, as wide as at the first size times the enlargement.
        QVERIFY(std::abs(rows.title.center().x() - size.width() / 2) <= 2 * scale);
        QVERIFY(rows.title.width() > 300 * scale && rows.title.width() < 520 * scale);
        // The reflection starts a little below the title and spans its width; it is taller than
        // the glyphs' cores by the smoothed edges and the tail of the Q, and faint.
        QVERIFY2(rows.reflectionTop > rows.title.bottom(), "no reflection");
        QVERIFY(rows.reflectionTop - rows.title.bottom() <= rows.title.height() / 2);
        QVERIFY(std::abs(rows.reflectionLeft - rows.title.left()) <= 3 * scale);
        QVERIFY(std::abs(rows.reflectionRight - rows.title.right()) <= 3 * scale);
        const int reflectionHeight = rows.reflectionBottom - rows.reflectionTop + 1;
        QVERIFY2(reflectionHeight >= rows.title.height() && reflectionHeight <= rows.title.height() * 1.5,
                 qPrintable(QStringLiteral("%1 against %2").arg(reflectionHeight).arg(rows.title.height())));
        QVERIFY(!rows.reflectionTooBright);
    }
}

void BannerWidgetTest::releasingTheButtonOverItOpensTheHelpPage() {
    Banner banner;
    banner.widget.show();
    QTest::mouseRelease(&banner.widget, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseRelease(&banner.widget, Qt::LeftButton, {}, QPoint(700, 100));  // dragged off it
    QCOMPARE(banner.opened, std::vector<QUrl>{});
    QTest::mouseClick(&banner.widget, Qt::LeftButton, {}, QPoint(300, 150));
    QCOMPARE(banner.opened, std::vector<QUrl>{kHelp});
}

QTEST_MAIN(BannerWidgetTest)
#include "banner_widget_test.moc"
