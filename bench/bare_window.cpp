// The yardstick of the start-up benchmark: the barest Qt Widgets window, of the main window's
// size, timed by the same first-paint probe as the tool (QUILLMERE_STARTUP_PROBE=first-paint).
// With --label it shows one line of text as well, which costs the start of the font machinery.

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "first_paint.h"

int main(int argc, char** argv) {
    const bool withLabel = argc > 1 && std::strcmp(argv[1], "--label") == 0;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(608, 305);
    if (withLabel) {
        auto* label = new QLabel(QStringLiteral("Start modding"), &window);
        label->move(16, 16);
    }
    if (qgetenv("QUILLMERE_STARTUP_PROBE") == "first-paint") {
        quillmere::ui::afterFirstPaint(&window, [] {
            quillmere::ui::printMarker("first-paint", quillmere::ui::monotonicNanoseconds());
            QCoreApplication::exit(0);
        });
    }
    window.show();
    return app.exec();
}
