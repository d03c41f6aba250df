#include "banner_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <iterator>

#include "colours.h"
#include "from_common.h"
#include "stage.h"
#include "title_outline.h"

namespace quillmere::ui {
namespace {

QTransform toQTransform(const common::Placement& placement) {
    return QTransform(placement.scaleX, 0, 0, placement.scaleY, placement.offsetX, placement.offsetY);
}

// The title's stored glyph outlines, placed on the stage as the model says.
QPainterPath buildTitle() {
    QPainterPath path;
    const auto& outline = common::kTitleOutline;
    for (std::size_t i = 0; i < std::size(outline); ++i) {
        const common::OutlineElement& e = outline[i];
        if (e.kind == 'M') {
            path.moveTo(e.x, e.y);
        } else if (e.kind == 'L') {
            path.lineTo(e.x, e.y);
        } else if (e.kind == 'C' && i + 2 < std::size(outline)) {
            path.cubicTo(e.x, e.y, outline[i + 1].x, outline[i + 1].y, outline[i + 2].x, outline[i + 2].y);
            i += 2;
        }
    }
    const QRectF box = path.boundingRect();
    return toQTransform(common::placeTitle(box.left(), box.top(), box.right(), box.bottom())).map(path);
}

}  // namespace

BannerWidget::BannerWidget(QUrl helpPage, UrlOpener open, quint32 seed, QWidget* parent)
    : QWidget(parent),
      helpPage_(std::move(helpPage)),
      open_(std::move(open)),
      model_(seed),
      title_(buildTitle()) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    clock_.setInterval(Model::kFrameMilliseconds);
    connect(&clock_, &QTimer::timeout, this, [this] {
        advanceFrame();
        update();
    });
}

void BannerWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(common::kStageSlateBlue));
    painter.setRenderHint(QPainter::Antialiasing);

    const QTransform stage = toQTransform(common::fitStage(width(), height()));
    painter.setClipRect(stage.mapRect(QRectF(0, 0, common::kStageWidth, common::kStageHeight)));
    painter.setTransform(stage);
    for (const Model::Spark& spark : model_.sparks()) paintSpark(painter, spark);

    // The title and its reflection are one picture drawn twice: its glyphs are rasterised once,
    // not twice a frame.
    const QImage& title = titlePicture(stage, painter.device()->devicePixelRatio());
    painter.resetTransform();
    painter.drawImage(titlePictureOrigin_, title);

    const QRectF box = title_.boundingRect();
    const QTransform reflection =
        toQTransform(common::placeReflection(box.top(), box.bottom(), model_.reflection().height));
    painter.setOpacity(model_.reflection().opacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // From the picture's place on the screen back to the stage, mirrored there, and out again.
    painter.setTransform(stage.inverted() * reflection * stage);
    painter.drawImage(titlePictureOrigin_, title);
}

const QImage& BannerWidget::titlePicture(const QTransform& stage, qreal pixelRatio) {
    if (!titlePicture_.isNull() && titlePictureStage_ == stage &&
        qFuzzyCompare(titlePicture_.devicePixelRatio(), pixelRatio)) {
        return titlePicture_;
    }
    const QPainterPath onScreen = stage.map(title_);
    const QRect box = onScreen.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    titlePicture_ = QImage(box.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    titlePicture_.setDevicePixelRatio(pixelRatio);
    titlePicture_.fill(Qt::transparent);
    QPainter painter(&titlePicture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(common::kTitleColour));
    painter.translate(-box.topLeft());
    painter.drawPath(onScreen);
    titlePictureOrigin_ = box.topLeft();
    titlePictureStage_ = stage;
    return titlePicture_;
}

void BannerWidget::paintSpark(QPainter& painter, const Model::Spark& spark) const {
    QPolygonF star;
    for (const common::Point& point : model_.sparkOutline(spark)) star << QPointF(point.x, point.y);
    painter.save();
    painter.setOpacity(spark.opacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(common::kSparkColour));
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
