#include "banner_widget.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace quillmere::ui {
namespace {

constexpr QSizeF kStage(600, 300);
const QColor kStageColour(77, 97, 134);
const QColor kTitleColour(232, 238, 247);
const QColor kSparkColour(255, 255, 255);
constexpr int kTitleSize = 20;
constexpr double kTitleEnlargement = 1.8;
constexpr int kTicksPerChange = 2;  // 0.2 s at 10 fps

QPainterPath buildTitle() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setBold(true);
    font.setPixelSize(kTitleSize);
    font.setLetterSpacing(QFont::PercentageSpacing, 112);  // the wide look of a gothic title face
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("Quillmere Mod tool"));
    // Enlarged, centred across the stage and in the middle of its lower half.
    const QRectF box = path.boundingRect();
    QTransform placement;
    placement.translate(kStage.width() / 2, kStage.height() * 3 / 4);
    placement.scale(kTitleEnlargement, kTitleEnlargement);
    placement.translate(-box.center().x(), -box.center().y());
    return placement.map(path);
}

}  // namespace

BannerWidget::BannerWidget(QUrl helpPage, UrlOpener open, quint32 seed, QWidget* parent)
    : QWidget(parent),
      helpPage_(std::move(helpPage)),
      open_(std::move(open)),
      random_(seed),
      title_(buildTitle()) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    clock_.setInterval(1000 / kFramesPerSecond);
    connect(&clock_, &QTimer::timeout, this, [this] {
        advanceFrame();
        update();
    });
    flickerReflection();
    for (std::size_t i = 0; i < sparks_.size(); ++i) {
        placeSpark(sparks_[i]);
        sparks_[i].phase = static_cast<int>(i) * kSparkFrames / kSparkCount;
    }
}

void BannerWidget::advanceFrame() {
    ++frame_;
    if (frame_ % kTicksPerChange != 0) return;
    flickerReflection();
    placeSpark(sparks_[static_cast<std::size_t>(nextSpark_)]);
    nextSpark_ = (nextSpark_ + 1) % kSparkCount;
}

void BannerWidget::flickerReflection() {
    reflection_.height = random_.bounded(91, 101) / 100.0;
    reflection_.opacity = random_.bounded(10, 20) / 100.0;
}

void BannerWidget::placeSpark(Spark& spark) {
    // Near the middle of the stage, where the title sits.
    spark.position = QPointF(random_.bounded(150, 451), random_.bounded(110, 241));
    spark.squash = random_.bounded(25, 101) / 100.0;
    spark.opacity = random_.bounded(10, 50) / 100.0;
}

void BannerWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kStageColour);
    painter.setRenderHint(QPainter::Antialiasing);

    // The stage keeps its proportions and is centred in the control.
    const double scale = std::min(width() / kStage.width(), height() / kStage.height());
    painter.translate((width() - kStage.width() * scale) / 2, (height() - kStage.height() * scale) / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0, 0), kStage));

    for (const Spark& spark : sparks_) paintSpark(painter, spark);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kTitleColour);
    painter.drawPath(title_);

    // The reflection: upside down, a little lower, squashed to its height.
    const QRectF box = title_.boundingRect();
    painter.save();
    painter.setOpacity(reflection_.opacity);
    painter.translate(0, box.bottom() + box.height() * 0.25);
    painter.scale(1, -reflection_.height);
    painter.translate(0, -box.bottom());
    painter.drawPath(title_);
    painter.restore();
}

void BannerWidget::paintSpark(QPainter& painter, const Spark& spark) const {
    // A four-pointed star that turns and swells over its twenty frames.
    const int step = (frame_ + spark.phase) % kSparkFrames;
    const double turn = 360.0 * step / kSparkFrames;
    const double swell = 0.6 + 0.4 * std::sin(2 * std::numbers::pi * step / kSparkFrames);
    const double outer = 14 * swell;
    const double inner = 4 * swell;
    QPolygonF star;
    for (int i = 0; i < 8; ++i) {
        const double angle = std::numbers::pi / 4 * i;
        const double r = i % 2 == 0 ? outer : inner;
        star << QPointF(r * std::cos(angle), r * std::sin(angle));
    }
    painter.save();
    painter.translate(spark.position);
    painter.scale(1, spark.squash);
    painter.rotate(turn);
    painter.setOpacity(spark.opacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSparkColour);
    painter.drawPolygon(star);
    painter.restore();
}

void BannerWidget::showEvent(QShowEvent* event) {
    clock_.start();
    QWidget::showEvent(event);
}

void BannerWidget::hideEvent(QHideEvent* event) {
    clock_.stop();
    QWidget::hideEvent(event);
}

void BannerWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) open_(helpPage_);
    QWidget::mouseReleaseEvent(event);
}

}  // namespace quillmere::ui
