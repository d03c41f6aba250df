#pragma once
// The fonts of the windows. A toolkit that lacks the face takes its nearest match.

#include <string_view>

namespace quillmere::ui::common {

struct FontFace {
    std::string_view family;
    double points = 0;
    bool bold = false;
};

// Every visible text of the three windows: buttons, lists, help texts.
inline constexpr FontFace kWindowFont{"Tahoma", 8.25};

}  // namespace quillmere::ui::common
