#pragma once
// The main window's keyboard order, by control name.

#include <array>
#include <string_view>

namespace quillmere::ui::common {

// The hidden List1 follows Drive1 and the banner comes before "Contact me", so Tab reaches them too.
inline constexpr std::array<std::string_view, 7> kForm1TabOrder{
    "Dir1", "Drive1", "List1", "ShockwaveFlash1", "Command1", "Command2", "cmGO",
};

inline constexpr std::string_view kForm1FirstFocus = "Dir1";

}  // namespace quillmere::ui::common
