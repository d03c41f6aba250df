#pragma once
// What the windows rely on about the images in ui/assets: their sizes and the link cursor's hot
// spot, which each toolkit needs when it loads them.

#include <array>

namespace quillmere::ui::common {

// The window icon of the main and the help window, held in these sizes (pixels square).
inline constexpr std::array<int, 4> kIconSizes{32, 16, 20, 24};

// The logo picture, shown at its natural size without a border.
inline constexpr int kLogoWidth = 139;
inline constexpr int kLogoHeight = 138;

// The pointing hand over the help window's link: 32 x 32, its hot spot at the fingertip.
inline constexpr int kLinkCursorSize = 32;
inline constexpr int kLinkCursorHotSpotX = 12;
inline constexpr int kLinkCursorHotSpotY = 1;

}  // namespace quillmere::ui::common
