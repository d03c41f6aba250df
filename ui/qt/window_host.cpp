#include "window_host.h"

#include <QApplication>
#include <QFile>

namespace quillmere::ui {
namespace {

// Engine texts are 8-bit paths in the system's own encoding, as file names are.
QString shown(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::size_t indexOf(FoundSlot slot) {
    return static_cast<std::size_t>(slot);
}

}  // namespace

WindowHost::WindowHost(QWidget& window, FolderList& dir1, HiddenControls controls, MessageBoxes& boxes,
                       std::function<void()> quit)
    : window_(window), dir1_(dir1), controls_(controls), boxes_(boxes), quit_(std::move(quit)) {
    for (FoundSlot slot : kFoundSlots) slotTexts_[indexOf(slot)] = std::string(placeholderText(slot));
}

std::string WindowHost::chosenFolder() {
    return QFile::encodeName(dir1_.path()).toStdString();
}

void WindowHost::showScanPath(const std::string& path) {
    controls_.label1->setText(shown(path));
    // Drawn at once while the run holds the thread; no other event is handled meanwhile.
    controls_.label1->repaint();
}

void WindowHost::addFoundFile(const std::string& path, const std::string& sizeText) {
    controls_.list1->addItem(shown(path));
    controls_.list2->addItem(shown(sizeText));
}

void WindowHost::setSlotText(FoundSlot slot, const std::string& text) {
    slotTexts_[indexOf(slot)] = text;
    controls_.slotLabels[indexOf(slot)]->setText(shown(text));
}

std::string WindowHost::slotText(FoundSlot slot) {
    return slotTexts_[indexOf(slot)];
}

void WindowHost::showMessage(const std::string& text) {
    boxes_.inform(&window_, shown(text));
}

Answer WindowHost::askYesNo(const std::string& text, const std::string& title) {
    return boxes_.askYesNo(&window_, shown(text), shown(title)) ? Answer::Yes : Answer::No;
}

void WindowHost::endProgram() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) window->close();
    }
    quit_();
}

}  // namespace quillmere::ui
