// The stored title outlines: whole contours a toolkit can follow element by element, spelling the
// title on its baseline at its size.

#include "title_outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "stage.h"

using namespace quillmere::ui::common;

namespace {

struct Contour {
    float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
};

}  // namespace

TEST(TitleOutlineTest, EveryContourIsWholeAndClosed) {
    const auto& outline = kTitleOutline;
    ASSERT_GT(std::size(outline), 0u);
    ASSERT_EQ(outline[0].kind, 'M');
    std::size_t start = 0;
    for (std::size_t i = 0; i < std::size(outline); ++i) {
        const char kind = outline[i].kind;
        ASSERT_TRUE(kind == 'M' || kind == 'L' || kind == 'C' || kind == 'D') << "element " << i;
        if (kind == 'C') {
            // A curve's two further points, and nothing else, follow its first control point.
            ASSERT_LT(i + 2, std::size(outline));
            EXPECT_EQ(outline[i + 1].kind, 'D') << "element " << i + 1;
            EXPECT_EQ(outline[i + 2].kind, 'D') << "element " << i + 2;
            i += 2;
        } else {
            EXPECT_NE(kind, 'D') << "a curve point without its curve at element " << i;
        }
        const bool last = i + 1 == std::size(outline) || outline[i + 1].kind == 'M';
        if (last) {
            // Ends where it began, so the odd-even fill does not depend on an implied closing edge.
            EXPECT_FLOAT_EQ(outline[i].x, outline[start].x) << "contour at element " << start;
            EXPECT_FLOAT_EQ(outline[i].y, outline[start].y) << "contour at element " << start;
            start = i + 1;
        }
    }
}

TEST(TitleOutlineTest, SpellsTheTitleOnItsBaselineAtItsSize) {
    std::vector<Contour> contours;
    for (const OutlineElement& e : kTitleOutline) {
        if (e.kind == 'M') contours.emplace_back();
        Contour& c = contours.back();
        c.left = std::min(c.left, e.x);
        c.right = std::max(c.right, e.x);
        c.top = std::min(c.top, e.y);
        c.bottom = std::max(c.bottom, e.y);
    }
    // "Quillmere Mod tool": Q, i, e, e, o, d, o, o have two contours each; the eight others one.
    EXPECT_EQ(contours.size(), 24u);

    Contour all;
    for (const Contour& c : contours) {
        all.left = std::min(all.left, c.left);
        all.right = std::max(all.right, c.right);
        all.top = std::min(all.top, c.top);
        all.bottom = std::max(all.bottom, c.bottom);
    }
    // Capitals and ascenders of about three quarters of the size above the baseline; only the Q's
    // tail goes below it.
    EXPECT_NEAR(-all.top, 0.76 * kTitleSize, 0.08 * kTitleSize);
    EXPECT_GT(all.bottom, 0.5f);
    EXPECT_LT(all.bottom, 0.3f * kTitleSize);
    EXPECT_GE(all.left, 0.0f);
    EXPECT_LT(all.left, 0.15f * kTitleSize);
    // Wide spacing: on average more than the size's half per letter, space included.
    const double perLetter = (all.right - all.left) / double(kTitleText.size());
    EXPECT_GT(perLetter, 0.55 * kTitleSize);
    EXPECT_LT(perLetter, 0.9 * kTitleSize);
    // Laid out from left to right, one letter after the other: contours that overlap across are
    // one letter's, and each letter begins right of the one before it ends.
    std::vector<Contour> letters;
    for (const Contour& c : contours) {
        if (!letters.empty() && c.left < letters.back().right && c.right > letters.back().left) {
            letters.back().left = std::min(letters.back().left, c.left);
            letters.back().right = std::max(letters.back().right, c.right);
            continue;
        }
        if (!letters.empty()) {
            EXPECT_GT(c.left, letters.back().right) << "letter " << letters.size();
        }
        letters.push_back(c);
    }
    EXPECT_EQ(letters.size(), std::size_t(std::count_if(kTitleText.begin(), kTitleText.end(),
                                                        [](char ch) { return ch != ' '; })));
}
