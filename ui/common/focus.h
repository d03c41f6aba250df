#pragma once
// The main window's keyboard order, by control name.

#include <array>
#include <cstddef>
#include <string_view>

namespace quillmere::ui::common {

// The hidden List1 follows Drive1 and the banner comes before "Contact me", so Tab reaches them too.
inline constexpr std::array<std::string_view, 7> kForm1TabOrder{
    "Dir1", "Drive1", "List1", "ShockwaveFlash1", "Command1", "Command2", "cmGO",
};

inline constexpr std::string_view kForm1FirstFocus = "Dir1";

// Where Tab (or Shift+Tab, `forward` false) moves the focus from the control `current`, round
// the order; from a control outside it, to the first. The hidden List1 is a stop of its own,
// though nothing on screen shows the focus while it rests there.
constexpr std::string_view nextTabStop(std::string_view current, bool forward) {
    const std::size_t count = kForm1TabOrder.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (kForm1TabOrder[i] == current)
            return kForm1TabOrder[forward ? (i + 1) % count : (i + count - 1) % count];
    }
    return kForm1TabOrder.front();
}

}  // namespace quillmere::ui::common
