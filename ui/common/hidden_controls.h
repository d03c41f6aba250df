#pragma once
// The main window's hidden controls as plain state, kept alike by both windows: Label1 (the file
// the scanner is examining), the four found-file slots and the two found lists, List1 (paths)
// and List2 (their sizes), item for item. They lie below the window's bottom edge, so nobody
// ever sees them; only the scanner writes them and only the run reads them back.

#include <string>
#include <vector>

#include "found_slot.h"

namespace quillmere::ui::common {

class HiddenControls {
  public:
    // Every control starts with its initial text from the layout.
    HiddenControls();

    void showScanPath(std::string path) { label1_ = std::move(path); }
    // Appends to both lists, so that item i of one belongs to item i of the other.
    void addFoundFile(std::string path, std::string sizeText);

    const std::string& label1() const { return label1_; }
    const std::vector<std::string>& list1() const { return list1_; }
    const std::vector<std::string>& list2() const { return list2_; }
    // Not named "slots", which Qt takes for a keyword.
    FoundSlots& foundSlots() { return slots_; }
    const FoundSlots& foundSlots() const { return slots_; }

  private:
    std::string label1_;
    FoundSlots slots_;
    std::vector<std::string> list1_;
    std::vector<std::string> list2_;
};

}  // namespace quillmere::ui::common
