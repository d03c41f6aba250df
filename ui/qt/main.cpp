#include <QAccessible>
#include <QApplication>

#include "font_warm_up.h"
#include "form1.h"
#include "session_bus_autolaunch.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    // Both come before any other thread: one sets the environment, the other starts a thread.
    quillmere::ui::DoomedAutolaunchGuard bus;
    // Fontconfig starts on a thread of its own while the main thread connects to the display.
    quillmere::ui::FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.wait();
    // The accessibility bridge looks for the session bus when first asked, and only then.
    QAccessible::isActive();
    bus.release();
    quillmere::ui::Form1 form1;
    quillmere::ui::armStartupProbe(form1);
    form1.start();
    return app.exec();
}
