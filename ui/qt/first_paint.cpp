#include "first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace quillmere::ui {
namespace {

// Watches the whole application: a window that its children cover completely (the main window
// under its banner) gets no paint event of its own, only its children do.
class FirstPaintFilter : public QObject {
  public:
    FirstPaintFilter(QWidget* window, std::function<void()> then)
        : QObject(window), window_(window), then_(std::move(then)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && then_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_) {
            // Queued, so that the paint itself and the flush to the window system come first.
            QMetaObject::invokeMethod(
                this, [call = std::move(then_)] { call(); }, Qt::QueuedConnection);
            then_ = nullptr;
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }

  private:
    QWidget* window_;
    std::function<void()> then_;
};

}  // namespace

std::int64_t monotonicNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void afterFirstPaint(QWidget* window, std::function<void()> then) {
    new FirstPaintFilter(window, std::move(then));
}

void printMarker(const char* marker, std::int64_t nanoseconds) {
    std::printf("%s %lld\n", marker, static_cast<long long>(nanoseconds));
    std::fflush(stdout);
}

}  // namespace quillmere::ui
