// The banner's title on screen is the stored outline: along a line through its letters, every
// stretch that the outline fills is drawn in the title colour and every gap between them is not.
// A title drawn with a system font, or placed elsewhere, fails here.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "colours.h"
#include "stage.h"
#include "title_contours.h"
#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;
namespace common = quillmere::ui::common;

namespace {

// Where the row at height `y` (the outline's pixels) runs inside the letters, by the odd-even
// rule: pairs of crossings, left to right.
std::vector<std::pair<double, double>> insideAlong(const std::vector<common::Contour>& contours, double y) {
    std::vector<double> crossings;
    for (const common::Contour& contour : contours) {
        for (std::size_t i = 0; i < contour.size(); ++i) {
            const common::Point a = contour[i];
            const common::Point b = contour[(i + 1) % contour.size()];
            if ((a.y <= y) != (b.y <= y)) crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
    }
    std::sort(crossings.begin(), crossings.end());
    std::vector<std::pair<double, double>> spans;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
        spans.emplace_back(crossings[i], crossings[i + 1]);
    return spans;
}

// Solid title colour: sparks (at most 49 % white) and the reflection (at most 19 %) never are.
bool isTitle(COLORREF pixel) {
    const common::Rgb t = common::kTitleColour;
    return std::abs(GetRValue(pixel) - t.red) + std::abs(GetGValue(pixel) - t.green) +
               std::abs(GetBValue(pixel) - t.blue) <=
           24;
}

}  // namespace

TEST(BannerTitle, TheLettersOnScreenAreTheStoredOutline) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    pump(harness.windows, 100);
    HWND banner = form->banner().hwnd();
    RECT client;
    ::GetClientRect(banner, &client);

    const std::vector<common::Contour> contours = common::titleContours(0.01);
    const common::Box box = common::boxOf(contours);
    const common::Placement stage = common::fitStage(client.right, client.bottom);
    const common::Placement title = common::placeTitle(box.left, box.top, box.right, box.bottom);
    const auto onScreen = [&](common::Point p) { return stage.apply(title.apply(p)); };

    // Rows through the lower-case letters and through the capitals' upper half. Each pixel wholly
    // inside a letter (its whole row, with a quarter pixel to spare) must be title colour, and
    // each pixel wholly outside beside an edge must not: a title a pixel off fails.
    constexpr double kSpare = 0.25;
    const auto outlineRow = [&](double screenY) {
        return ((screenY - stage.offsetY) / stage.scaleY - title.offsetY) / title.scaleY;
    };
    const auto screenX = [&](double x) { return stage.apply(title.apply({x, 0})).x; };
    for (const double y : {-5.0, -12.0}) {
        const int row = static_cast<int>(onScreen({0, y}).y);
        const auto top = insideAlong(contours, outlineRow(row));
        const auto bottom = insideAlong(contours, outlineRow(row + 1));
        ASSERT_GE(top.size(), 8u) << "row " << row;
        ASSERT_EQ(top.size(), bottom.size()) << "row " << row;
        HDC dc = ::GetDC(banner);
        int inside = 0, outside = 0;
        double previousRight = -1e9;
        for (std::size_t i = 0; i < top.size(); ++i) {
            const double innerLeft = screenX(std::max(top[i].first, bottom[i].first)) + kSpare;
            const double innerRight = screenX(std::min(top[i].second, bottom[i].second)) - kSpare;
            const double outerLeft = screenX(std::min(top[i].first, bottom[i].first)) - kSpare;
            const double outerRight = screenX(std::max(top[i].second, bottom[i].second)) + kSpare;
            const double nextLeft =
                i + 1 < top.size() ? screenX(std::min(top[i + 1].first, bottom[i + 1].first)) - kSpare : 1e9;
            for (const int x :
                 {static_cast<int>(std::ceil(innerLeft)), static_cast<int>(std::floor(innerRight)) - 1}) {
                if (x >= innerLeft && x + 1 <= innerRight) {
                    EXPECT_TRUE(isTitle(::GetPixel(dc, x, row))) << "inside a letter at " << x << ", " << row;
                    ++inside;
                }
            }
            const int leftOut = static_cast<int>(std::floor(outerLeft)) - 1;
            if (leftOut >= previousRight) {
                EXPECT_FALSE(isTitle(::GetPixel(dc, leftOut, row)))
                    << "left of a letter at " << leftOut << ", " << row;
                ++outside;
            }
            const int rightOut = static_cast<int>(std::ceil(outerRight));
            if (rightOut + 1 <= nextLeft) {
                EXPECT_FALSE(isTitle(::GetPixel(dc, rightOut, row)))
                    << "right of a letter at " << rightOut << ", " << row;
                ++outside;
            }
            previousRight = outerRight;
        }
        ::ReleaseDC(banner, dc);
        EXPECT_GE(inside, 12) << "row " << row;
        EXPECT_GE(outside, 12) << "row " << row;
    }
}
