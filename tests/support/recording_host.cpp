#include "recording_host.h"

namespace quillmere::testing {

std::string RecordingHost::chosenFolder() {
    calls.push_back("chosenFolder");
    return folder_;
}

void RecordingHost::showScanPath(const std::string& path) {
    scanPaths.push_back(path);
}

void RecordingHost::addFoundFile(const std::string& path, const std::string& sizeText) {
    list1.push_back(path);
    list2.push_back(sizeText);
}

void RecordingHost::setSlotText(FoundSlot slot, const std::string& text) {
    slots_.set(slot, text);
}

std::string RecordingHost::slotText(FoundSlot slot) {
    return slots_.text(slot);
}

void RecordingHost::showMessage(const std::string& text) {
    calls.push_back("showMessage: " + text);
    messages.push_back(text);
}

Answer RecordingHost::askYesNo(const std::string& text, const std::string& title) {
    calls.push_back("askYesNo: " + text + " | " + title);
    return answer_;
}

void RecordingHost::endProgram() {
    calls.push_back("endProgram");
    ++endProgramCalls;
}

}  // namespace quillmere::testing
