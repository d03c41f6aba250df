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
