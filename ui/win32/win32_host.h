#pragma once
// The main window's side of a modding run. The labels and lists the scanner writes lie outside
// the visible window in the original layout; here they are plain state of the window, which
// nobody sees either.

#include <windows.h>

#include <functional>
#include <string>

#include "folder_list.h"
#include "hidden_controls.h"
#include "message_boxes.h"
#include "modding_host.h"

namespace quillmere::win32 {

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

    const ui::common::HiddenControls& hidden() const { return hidden_; }

  private:
    std::function<HWND()> owner_;  // the main window's handle, read when a box opens
    FolderList& dir1_;
    MessageBoxes& boxes_;
    std::function<void()> endProgram_;
    ui::common::HiddenControls hidden_;
};

}  // namespace quillmere::win32
