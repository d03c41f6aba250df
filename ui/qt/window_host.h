#pragma once
// The main window's side of a modding run: the hidden controls the scanner writes (plain state,
// as nobody sees them), the folder the run works on, the run's message boxes and the end of the
// program.

#include <functional>

#include "folder_list.h"
#include "hidden_controls.h"
#include "message_boxes.h"
#include "modding_host.h"

namespace quillmere::ui {

class WindowHost : public ModdingHost {
  public:
    // `quit` ends the event loop once every window is closed.
    WindowHost(QWidget& window, FolderList& dir1, MessageBoxes& boxes, std::function<void()> quit);

    std::string chosenFolder() override;
    void showScanPath(const std::string& path) override;
    void addFoundFile(const std::string& path, const std::string& sizeText) override;
    void setSlotText(FoundSlot slot, const std::string& text) override;
    std::string slotText(FoundSlot slot) override;
    void showMessage(const std::string& text) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    void endProgram() override;

    const common::HiddenControls& hidden() const { return hidden_; }

  private:
    QWidget& window_;
    FolderList& dir1_;
    MessageBoxes& boxes_;
    std::function<void()> quit_;
    common::HiddenControls hidden_;
};

}  // namespace quillmere::ui
