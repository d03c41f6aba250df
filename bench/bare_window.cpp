// The yardstick of the start-up benchmark: the barest Qt Widgets window, of the main window's
// size, timed by the same first-paint probe as the tool (QUILLMERE_STARTUP_PROBE=first-paint).

#include <QApplication>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(608, 305);
    if (qgetenv("QUILLMERE_STARTUP_PROBE") == "first-paint") {
        quillmere::ui::afterFirstPaint(&window, [] {
            quillmere::ui::printMarker("first-paint", quillmere::ui::monotonicNanoseconds());
            QCoreApplication::exit(0);
        });
    }
    window.show();
    return app.exec();
}
