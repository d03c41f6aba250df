#include <QApplication>

#include "font_warm_up.h"
#include "form1.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    // Fontconfig starts on a thread of its own while the main thread connects to the display.
    quillmere::ui::FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    quillmere::ui::Form1 form1;
    quillmere::ui::armStartupProbe(form1);
    form1.start();
    return app.exec();
}
