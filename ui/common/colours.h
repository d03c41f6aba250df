#pragma once
// The colours both windows paint, as red, green and blue.

#include <cstdint>

namespace quillmere::ui::common {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// Behind the folder list, the drive list and the whole help window; their text is black.
inline constexpr Rgb kLightYellow{255, 255, 128};
inline constexpr Rgb kText{0, 0, 0};
// The banner's stage, and the square around the logo that blends into it.
inline constexpr Rgb kStageSlateBlue{77, 97, 134};
inline constexpr Rgb kLogoSlateBlue{74, 97, 132};
// The line under the help window's link.
inline constexpr Rgb kLine1Blue{0, 0, 255};
// The banner's title (and its reflection) and its sparks.
inline constexpr Rgb kTitleColour{232, 238, 247};
inline constexpr Rgb kSparkColour{255, 255, 255};

}  // namespace quillmere::ui::common
