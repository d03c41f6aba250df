#include "startup_probe.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <cstdio>

#include "first_paint.h"
#include "form1.h"

namespace quillmere::ui {
namespace {

// A left click in the middle of `widget`, as the mouse would deliver it.
void click(QWidget* widget) {
    const QPointF local(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void fail(const char* what) {
    std::fprintf(stderr, "startup probe: %s\n", what);
    QCoreApplication::exit(1);
}

void openWebHelp(Form1& form1) {
    HelpWindows& windows = form1.helpWindows();
    windows.showHelp();
    QWidget* help = windows.help();
    afterFirstPaint(help, [&windows, help] {
        auto* link = help->findChild<QWidget*>(QStringLiteral("Label1"));
        if (!link) return fail("the help window has no link");
        const std::int64_t clicked = monotonicNanoseconds();
        click(link);
        QWidget* web = windows.webHelp();
        if (!web) return fail("the link opened no web-help window");
        afterFirstPaint(web, [web, clicked] {
            // The stand-in window of a module that did not load has no browser.
            if (!web->findChild<QWidget*>(QStringLiteral("WebBrowser1")))
                return fail("the web help has no browser");
            printMarker("web-help-click", clicked);
            printMarker("web-help-shown", monotonicNanoseconds());
            QCoreApplication::exit(0);
        });
    });
}

}  // namespace

void armStartupProbe(Form1& form1) {
    const QByteArray mode = qgetenv("QUILLMERE_STARTUP_PROBE");
    if (mode.isEmpty()) return;
    const bool webHelp = mode == "web-help";
    if (!webHelp && mode != "first-paint") {
        // From the event loop, which is not running yet.
        QMetaObject::invokeMethod(
            qApp, [] { fail("QUILLMERE_STARTUP_PROBE is first-paint or web-help"); }, Qt::QueuedConnection);
        return;
    }
    afterFirstPaint(&form1, [&form1, webHelp] {
        printMarker("first-paint", monotonicNanoseconds());
        if (webHelp) {
            openWebHelp(form1);
        } else {
            QCoreApplication::exit(0);
        }
    });
}

}  // namespace quillmere::ui
