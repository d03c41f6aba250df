#pragma once
// The animated title banner behind the main window's controls: the title, its flickering
// reflection and ten small animated sparks on slate blue, at 10 frames a second while visible.
// Releasing the mouse button over it opens the help page.

#include <QPainterPath>
#include <QPointF>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <array>

#include "desktop_links.h"

namespace quillmere::ui {

class BannerWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kFramesPerSecond = 10;
    static constexpr int kSparkCount = 10;
    static constexpr int kSparkFrames = 20;

    struct Reflection {
        double height = 1.0;  // share of the title's height
        double opacity = 0.1;
    };
    struct Spark {
        QPointF position;  // on the 600 x 300 stage
        double squash = 1.0;
        double opacity = 0.1;
        int phase = 0;  // frame of its own motion at banner frame 0
    };

    BannerWidget(QUrl helpPage, UrlOpener open, quint32 seed, QWidget* parent = nullptr);

    // One tick of the 10 fps clock; every second tick the reflection flickers and one spark moves.
    void advanceFrame();

    bool isPlaying() const { return clock_.isActive(); }
    int frame() const { return frame_; }
    const Reflection& reflection() const { return reflection_; }
    const std::array<Spark, kSparkCount>& sparks() const { return sparks_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void flickerReflection();
    void placeSpark(Spark& spark);
    void paintSpark(QPainter& painter, const Spark& spark) const;

    QUrl helpPage_;
    UrlOpener open_;
    QRandomGenerator random_;
    QTimer clock_;
    QPainterPath title_;
    int frame_ = 0;
    int nextSpark_ = 0;
    Reflection reflection_;
    std::array<Spark, kSparkCount> sparks_;
};

}  // namespace quillmere::ui
