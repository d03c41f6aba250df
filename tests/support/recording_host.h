#pragma once
// A ModdingHost that records every call, for checking what the run showed and in which order.

#include <string>
#include <vector>

#include "modding_host.h"

namespace quillmere::testing {

class RecordingHost : public ModdingHost {
  public:
    explicit RecordingHost(std::string folder, Answer answer = Answer::No)
        : folder_(std::move(folder)), answer_(answer) {}

    std::string chosenFolder() override;
    void showScanPath(const std::string& path) override;
    void addFoundFile(const std::string& path, const std::string& sizeText) override;
    void setSlotText(FoundSlot slot, const std::string& text) override;
    std::string slotText(FoundSlot slot) override;
    void showMessage(const std::string& text) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    void endProgram() override;

    // Every call, one line each: "showMessage: text", "askYesNo: text | title", ...
    std::vector<std::string> calls;
    std::vector<std::string> scanPaths;
    std::vector<std::string> list1;  // found paths
    std::vector<std::string> list2;  // their sizes
    std::vector<std::string> messages;
    int endProgramCalls = 0;

  private:
    std::string folder_;
    Answer answer_;
    FoundSlots slots_;
};

}  // namespace quillmere::testing
