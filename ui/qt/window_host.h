#pragma once
// The main window's side of a modding run: the hidden labels and lists the scanner writes, the
// folder the run works on, the run's message boxes and the end of the program.

#include <QLabel>
#include <QListWidget>
#include <array>
#include <functional>

#include "folder_list.h"
#include "message_boxes.h"
#include "modding_host.h"

namespace quillmere::ui {

struct HiddenControls {
    QLabel* label1 = nullptr;             // the file being examined
    std::array<QLabel*, 4> slotLabels{};  // Label2 .. Label5, in FoundSlot order
    QListWidget* list1 = nullptr;         // found paths
    QListWidget* list2 = nullptr;         // their sizes
};

class WindowHost : public ModdingHost {
  public:
    // `quit` ends the event loop once every window is closed.
    WindowHost(QWidget& window, FolderList& dir1, HiddenControls controls, MessageBoxes& boxes,
               std::function<void()> quit);

    std::string chosenFolder() override;
    void showScanPath(const std::string& path) override;
    void addFoundFile(const std::string& path, const std::string& sizeText) override;
    void setSlotText(FoundSlot slot, const std::string& text) override;
    std::string slotText(FoundSlot slot) override;
    void showMessage(const std::string& text) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    void endProgram() override;

  private:
    QWidget& window_;
    FolderList& dir1_;
    HiddenControls controls_;
    MessageBoxes& boxes_;
    std::function<void()> quit_;
    // The slots' exact bytes: a label holds display text, which need not round-trip.
    std::array<std::string, 4> slotTexts_;
};

}  // namespace quillmere::ui
