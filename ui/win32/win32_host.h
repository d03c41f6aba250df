#pragma once
// The main window's side of a modding run. The labels and lists the scanner writes lie outside
// the visible window in the original layout; here they are plain state of the window, which
// nobody sees either.

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "folder_list.h"
#include "message_boxes.h"
#include "modding_host.h"

namespace quillmere::win32 {

struct HiddenState {
    std::string label1;                // the file being examined
    std::array<std::string, 4> slots;  // Label2 .. Label5, in FoundSlot order
    std::vector<std::string> list1;    // found paths
    std::vector<std::string> list2;    // their sizes
};

class Win32Host : public ModdingHost {
  public:
    // `endProgram` closes every window of the program and ends its message loop.
    Win32Host(std::function<HWND()> owner, FolderList& dir1, MessageBoxes& boxes,
              std::function<void()> endProgram);

    std::string chosenFolder() override;
    void showScanPath(const std::string& path) override;
    void addFoundFile(const std::string& path, const std::string& sizeText) override;
    void setSlotText(FoundSlot slot, const std::string& text) override;
    std::string slotText(FoundSlot slot) override;
    void showMessage(const std::string& text) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    void endProgram() override;

    const HiddenState& hidden() const { return hidden_; }

  private:
    std::function<HWND()> owner_;  // the main window's handle, read when a box opens
    FolderList& dir1_;
    MessageBoxes& boxes_;
    std::function<void()> endProgram_;
    HiddenState hidden_;
};

}  // namespace quillmere::win32
