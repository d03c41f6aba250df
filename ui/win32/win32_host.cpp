#include "win32_host.h"

namespace quillmere::win32 {
Win32Host::Win32Host(std::function<HWND()> owner, FolderList& dir1, MessageBoxes& boxes,
                     std::function<void()> endProgram)
    : owner_(std::move(owner)), dir1_(dir1), boxes_(boxes), endProgram_(std::move(endProgram)) {}

std::string Win32Host::chosenFolder() {
    return dir1_.path();
}

void Win32Host::showScanPath(const std::string& path) {
    // Label1 is state, not a control: there is nothing on screen to redraw.
    hidden_.showScanPath(path);
}

void Win32Host::addFoundFile(const std::string& path, const std::string& sizeText) {
    hidden_.addFoundFile(path, sizeText);
}

void Win32Host::setSlotText(FoundSlot slot, const std::string& text) {
    hidden_.foundSlots().set(slot, text);
}

std::string Win32Host::slotText(FoundSlot slot) {
    return hidden_.foundSlots().text(slot);
}

void Win32Host::showMessage(const std::string& text) {
    boxes_.inform(owner_(), text);
}

Answer Win32Host::askYesNo(const std::string& text, const std::string& title) {
    return boxes_.askYesNo(owner_(), text, title) ? Answer::Yes : Answer::No;
}

void Win32Host::endProgram() {
    endProgram_();
}

}  // namespace quillmere::win32
