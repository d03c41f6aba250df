#pragma once
// The banner's stage: its size, its title, and how the stage and the pieces drawn on it are placed.
// Both windows fill the title from its stored glyphs (title_outline.h); these rules say where
// it and the other pieces go.

#include <string_view>

namespace quillmere::ui::common {

struct Point {
    double x = 0;
    double y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// x' = scaleX * x + offsetX, y' = scaleY * y + offsetY.
struct Placement {
    double scaleX = 1;
    double scaleY = 1;
    double offsetX = 0;
    double offsetY = 0;
    constexpr Point apply(Point p) const { return {scaleX * p.x + offsetX, scaleY * p.y + offsetY}; }
};

inline constexpr double kStageWidth = 600;
inline constexpr double kStageHeight = 300;

inline constexpr std::string_view kTitleText = "Quillmere Mod tool";
inline constexpr int kTitleSize = 20;  // pixels, before the enlargement
inline constexpr bool kTitleBold = true;
inline constexpr int kTitleLetterSpacingPercent = 112;  // the wide look of a gothic title face
inline constexpr double kTitleEnlargement = 1.8;
// Centred across the stage and in the middle of its lower half.
inline constexpr Point kTitleCentre{kStageWidth / 2, kStageHeight * 3 / 4};

// The stage scaled into a control of the given size with its proportions kept, centred; the
// bands left over on two sides show the stage colour.
Placement fitStage(double controlWidth, double controlHeight);

// Where the title goes, given the box of its glyphs as laid out at kTitleSize from any origin.
Placement placeTitle(double left, double top, double right, double bottom);

// The reflection of a title whose placed box spans top..bottom on the stage: upside down, a
// quarter of the title's height lower, squashed to `height` (a share of the title's height).
Placement placeReflection(double top, double bottom, double height);

}  // namespace quillmere::ui::common
