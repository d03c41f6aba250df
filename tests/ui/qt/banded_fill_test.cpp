// Filling in bands: the very pixels of one fill, under the banner's transforms, opacities and
// clips, without Qt's paint threads.

#include "banded_fill.h"

#include <QDir>
#include <QTest>

#include "banner_model.h"
#include "stage.h"

using namespace quillmere::ui;

namespace {

QPolygonF polygonOf(const std::array<common::Point, common::BannerModel::kSparkPoints>& points) {
    QPolygonF polygon;
    for (const common::Point& p : points) polygon << QPointF(p.x, p.y);
    return polygon;
}

// The banner's sparks over a number of frames, and a star ten times their size.
std::vector<QPolygonF> shapes() {
    std::vector<QPolygonF> result;
    common::BannerModel model(11);
    for (int frame = 0; frame < 40; ++frame) {
        for (const auto& spark : model.sparks()) result.push_back(polygonOf(model.sparkOutline(spark)));
        model.advanceFrame();
    }
    const QPointF centre = result.front().boundingRect().center();
    QPolygonF big;
    for (const QPointF& p : result.front()) big << centre + 10 * (p - centre);
    result.push_back(big);
    return result;
}

enum class Way { OneFill, Bands };

QImage paint(const std::vector<QPolygonF>& polygons, const QTransform& transform, const QRectF& clip,
             Way way) {
    QImage image(1300, 700, QImage::Format_RGB32);
    image.fill(QColor(77, 97, 134));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!clip.isNull()) painter.setClipRect(clip);
    painter.setTransform(transform);
    int i = 0;
    for (const QPolygonF& polygon : polygons) {
        painter.setOpacity(0.10 + 0.01 * (i++ % 40));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255));
        if (way == Way::Bands) {
            drawPolygonInBands(painter, polygon);
        } else {
            painter.drawPolygon(polygon);
        }
    }
    return image;
}

int threadsOfThisProcess() {
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

}  // namespace

class BandedFillTest : public QObject {
    Q_OBJECT

  private slots:
    // First, before any fill of this process has started the pool's threads.
    void leavesQtsPaintThreadsUnstarted();
    void paintsThePixelsOfOneFill();
};

void BandedFillTest::paintsThePixelsOfOneFill() {
    const std::vector<QPolygonF> polygons = shapes();
    const QTransform stage(609.0 / 600, 0, 0, 609.0 / 600, 0, 4.25);
    struct Case {
        QTransform transform;
        QRectF clip;
    };
    for (const Case& c : {Case{QTransform(), {}}, Case{stage, QRectF(0, 4.25, 609, 304.5)},
                          Case{QTransform::fromScale(2, 2), QRectF(10.5, 3.25, 1200, 600)},
                          Case{QTransform(1.37, 0, 0, 0.83, 7.3, -2.6), QRectF(200, 150, 300, 60)}}) {
        const QImage oneFill = paint(polygons, c.transform, c.clip, Way::OneFill);
        QCOMPARE(paint(polygons, c.transform, c.clip, Way::Bands), oneFill);
        // Something was drawn at all.
        QVERIFY(oneFill != paint({}, c.transform, c.clip, Way::OneFill));
    }
}

void BandedFillTest::leavesQtsPaintThreadsUnstarted() {
#ifndef Q_OS_LINUX
    QSKIP("threads are counted in /proc");
#endif
    const std::vector<QPolygonF> polygons = shapes();
    const QTransform twice = QTransform::fromScale(2, 2);
    const int before = threadsOfThisProcess();
    paint(polygons, twice, {}, Way::Bands);
    QCOMPARE(threadsOfThisProcess(), before);
    // That the count would show them: the same fills made whole start the pool.
    paint(polygons, twice, {}, Way::OneFill);
    if (threadsOfThisProcess() == before) QSKIP("this Qt fills on the painting thread alone");
}

QTEST_MAIN(BandedFillTest)
#include "banded_fill_test.moc"
