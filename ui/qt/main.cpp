#include <QApplication>

#include "form1.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quillmere::ui::Form1 form1;
    quillmere::ui::armStartupProbe(form1);
    form1.start();
    return app.exec();
}
