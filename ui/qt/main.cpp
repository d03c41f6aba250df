#include <QApplication>

#include "font_warm_up.h"
#include "form1.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    quillmere::ui::FontWarmUp fonts;
    QApplication app(argc, argv);
    quillmere::ui::Form1Setup setup = quillmere::ui::Form1Setup::forThisMachine();
    setup.beforeFirstText = [&fonts] { fonts.wait(); };
    quillmere::ui::Form1 form1(std::move(setup));
    quillmere::ui::armStartupProbe(form1);
    form1.start();
    return app.exec();
}
