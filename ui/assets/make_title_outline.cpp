// Writes the banner title's glyph outlines as C++ data (ui/common/title_outline.inc), laid out
// from a font file at the title's size, weight and letter spacing. Built and run by
// make-assets.sh; the result is checked in, so that the window needs no font for its title.
//
//   make_title_outline FONT.ttf > title_outline.inc

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainterPath>
#include <QTextStream>
#include <cstdio>

#include "stage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FONT.ttf\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int id = QFontDatabase::addApplicationFont(QFile::decodeName(argv[1]));
    if (id < 0) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setBold(quillmere::ui::common::kTitleBold);
    font.setPixelSize(quillmere::ui::common::kTitleSize);
    font.setLetterSpacing(QFont::PercentageSpacing, quillmere::ui::common::kTitleLetterSpacingPercent);
    // Design advances: hinting would make the layout depend on this machine's font settings.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);

    QPainterPath path;
    path.addText(0, 0, font,
                 QString::fromUtf8(quillmere::ui::common::kTitleText.data(),
                                   qsizetype(quillmere::ui::common::kTitleText.size())));

    QTextStream out(stdout);
    out << "// Made by ui/assets/make-assets.sh from " << QFile::decodeName(argv[1]).section('/', -1) << " ("
        << font.family() << (font.bold() ? " Bold" : "") << "), " << font.pixelSize()
        << " pixels, letter spacing " << font.letterSpacing() << " %.\n"
        << "// " << path.elementCount() << " elements, fill rule "
        << (path.fillRule() == Qt::WindingFill ? "winding" : "odd-even") << ".\n";
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const char kind = e.isMoveTo() ? 'M' : e.isLineTo() ? 'L' : e.isCurveTo() ? 'C' : 'D';
        out << "{'" << kind << "', " << QString::number(e.x, 'f', 3) << ", " << QString::number(e.y, 'f', 3)
            << "},\n";
    }
    return 0;
}
