#include "window_host.h"

#include <QApplication>
#include <QFile>

namespace quillmere::ui {
namespace {

// Engine texts are 8-bit paths in the system's own encoding, as file names are.
QString shown(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

}  // namespace

WindowHost::WindowHost(QWidget& window, FolderList& dir1, MessageBoxes& boxes, std::function<void()> quit)
    : window_(window), dir1_(dir1), boxes_(boxes), quit_(std::move(quit)) {}

std::string WindowHost::chosenFolder() {
    return QFile::encodeName(dir1_.path()).toStdString();
}

void WindowHost::showScanPath(const std::string& path) {
    // Label1 lies outside the window: holding the text is all there is to show of it.
    hidden_.showScanPath(path);
}

void WindowHost::addFoundFile(const std::string& path, const std::string& sizeText) {
    hidden_.addFoundFile(path, sizeText);
}

void WindowHost::setSlotText(FoundSlot slot, const std::string& text) {
    hidden_.foundSlots().set(slot, text);
}

std::string WindowHost::slotText(FoundSlot slot) {
    return hidden_.foundSlots().text(slot);
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
