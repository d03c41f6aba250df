#pragma once
// The animated title banner behind the main window's controls. BannerModel decides what is on
// the stage at each frame; this widget runs its 10 fps clock while visible and draws it. Releasing
// the mouse button over it opens the help page.

#include <QImage>
#include <QPainterPath>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "banner_model.h"
#include "desktop_links.h"

namespace quillmere::ui {

class BannerWidget : public QWidget {
    Q_OBJECT
  public:
    using Model = common::BannerModel;
    static constexpr int kFramesPerSecond = Model::kFramesPerSecond;
    static constexpr int kSparkCount = Model::kSparkCount;
    static constexpr int kSparkFrames = Model::kSparkFrames;

    BannerWidget(QUrl helpPage, UrlOpener open, quint32 seed, QWidget* parent = nullptr);

    // One tick of the 10 fps clock; every second tick the reflection flickers and one spark moves.
    void advanceFrame() { model_.advanceFrame(); }

    bool isPlaying() const { return clock_.isActive(); }
    const Model& model() const { return model_; }
    int frame() const { return model_.frame(); }
    const Model::Reflection& reflection() const { return model_.reflection(); }
    const std::array<Model::Spark, kSparkCount>& sparks() const { return model_.sparks(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void paintSpark(QPainter& painter, const Model::Spark& spark) const;
    // The title in its colour on a transparent picture the size of its box on the screen.
    const QImage& titlePicture(const QTransform& stage, qreal pixelRatio);

    QUrl helpPage_;
    UrlOpener open_;
    Model model_;
    QTimer clock_;
    QPainterPath title_;  // on the stage
    QImage titlePicture_;
    QPoint titlePictureOrigin_;
    QTransform titlePictureStage_;
};

}  // namespace quillmere::ui
