#pragma once
// Positions and sizes in twips (1/1440 inch), as the forms are laid out, and their pixels at a
// given system DPI. At 96 dpi a pixel is 15 twips, so every value of the layout is whole pixels.

namespace quillmere::ui::common {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;
inline constexpr int kPointsPerInch = 72;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    friend constexpr bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// value * numerator / denominator, rounded half away from zero, as Windows' MulDiv rounds.
constexpr int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    return static_cast<int>(rounded);
}

constexpr int twipsToPixels(int twips, int dpi = kBaseDpi) {
    return mulDiv(twips, dpi, kTwipsPerInch);
}

// Each of the four values is converted on its own, as a form converts each property.
constexpr PixelRect twipsToPixels(const TwipsRect& twips, int dpi = kBaseDpi) {
    return {twipsToPixels(twips.left, dpi), twipsToPixels(twips.top, dpi), twipsToPixels(twips.width, dpi),
            twipsToPixels(twips.height, dpi)};
}

// A length in pixels at 96 dpi, at another system DPI.
constexpr int scalePixels(int pixelsAt96, int dpi) {
    return mulDiv(pixelsAt96, dpi, kBaseDpi);
}

// The cell height in pixels of a font of `points` at `dpi` (8.25 pt is 11 pixels at 96 dpi).
constexpr int pointsToPixels(double points, int dpi = kBaseDpi) {
    const double exact = points * dpi / kPointsPerInch;
    return static_cast<int>(exact >= 0 ? exact + 0.5 : exact - 0.5);
}

}  // namespace quillmere::ui::common
