#pragma once
// The banner title's glyph outlines, stored in the program: the title looks the same on every
// machine, needs no font installed, and costs the start no font look-up or shaping. Laid out at
// kTitleSize with the title's weight and letter spacing; kTitleText is what they spell. The
// glyphs are those of DejaVu Sans Bold: Copyright (c) 2003 by Bitstream, Inc. (Bitstream Vera),
// DejaVu changes in the public domain; the license is in LICENSE.

namespace quillmere::ui::common {

// One element of the outline, in pixels from the title's origin on its baseline (y grows down):
// 'M' starts a contour, 'L' draws a line to the point, 'C' is a cubic curve's first control point,
// followed by two 'D': its second control point and its end.
struct OutlineElement {
    char kind = 'M';
    float x = 0;
    float y = 0;
};

// Contours are filled by the odd-even rule.
inline constexpr OutlineElement kTitleOutline[] = {
#include "title_outline.inc"
};

}  // namespace quillmere::ui::common
