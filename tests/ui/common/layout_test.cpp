// The layout tables against the rules the windows rely on: nothing visible hides another control,
// nothing hidden comes into view, every control is where its window can show it, and the tab
// order names real controls.

#include "layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "focus.h"

using namespace quillmere::ui::common;

namespace {

// The area two rectangles share, as width and height (zero or less: none).
std::pair<int, int> shared(const TwipsRect& a, const TwipsRect& b) {
    return {std::min(a.right(), b.right()) - std::max(a.left, b.left),
            std::min(a.bottom(), b.bottom()) - std::max(a.top, b.top)};
}

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    const auto [width, height] = shared(a, b);
    return width > 0 && height > 0;
}

bool inside(const TwipsRect& r, const WindowRow& window) {
    return r.left >= 0 && r.top >= 0 && r.right() <= window.clientWidth && r.bottom() <= window.clientHeight;
}

std::vector<ControlRow> allRows() {
    std::vector<ControlRow> rows(kForm1Visible.begin(), kForm1Visible.end());
    rows.insert(rows.end(), kForm1Hidden.begin(), kForm1Hidden.end());
    rows.insert(rows.end(), kForm2Controls.begin(), kForm2Controls.end());
    rows.push_back(kForm3WebBrowser1);
    return rows;
}

}  // namespace

TEST(LayoutTest, VisibleControlsOfTheMainWindowDoNotOverlapAndTheBannerLiesBeneathAll) {
    const ControlRow& banner = form1Control("ShockwaveFlash1");
    EXPECT_EQ(banner.kind, ControlKind::banner);
    // The backdrop covers the whole client area.
    EXPECT_LE(banner.twips.left, 0);
    EXPECT_LE(banner.twips.top, 0);
    EXPECT_GE(banner.twips.right(), kForm1.clientWidth);
    EXPECT_GE(banner.twips.bottom(), kForm1.clientHeight);
    for (const ControlRow& a : kForm1Visible) {
        if (a.kind == ControlKind::banner) continue;
        EXPECT_TRUE(inside(a.twips, kForm1)) << a.name;
        for (const ControlRow& b : kForm1Visible) {
            if (&a == &b || b.kind == ControlKind::banner) continue;
            if ((a.name == "Command2" && b.name == "Picture1") ||
                (a.name == "Picture1" && b.name == "Command2")) {
                // The one exception the form's own numbers make: the help button's last pixel
                // column lies under the logo's first (4920 + 1935 = 6855 > 6840).
                EXPECT_EQ(shared(a.twips, b.twips).first, kTwipsPerInch / kBaseDpi);
                continue;
            }
            EXPECT_FALSE(overlap(a.twips, b.twips)) << a.name << " and " << b.name;
        }
    }
}

TEST(LayoutTest, EveryHiddenControlStartsBelowTheClientArea) {
    for (const ControlRow& row : kForm1Hidden) EXPECT_GE(row.twips.top, kForm1.clientHeight) << row.name;
}

TEST(LayoutTest, EveryPlaceIsWholePixelsAtNinetySixDpi) {
    const auto whole = [](int twips) { return twips % (kTwipsPerInch / kBaseDpi) == 0; };
    for (const ControlRow& row : allRows()) {
        EXPECT_TRUE(whole(row.twips.left) && whole(row.twips.top) && whole(row.twips.width) &&
                    whole(row.twips.height))
            << row.name;
        EXPECT_GT(row.twips.width, 0) << row.name;
        EXPECT_GT(row.twips.height, 0) << row.name;
    }
    for (const WindowRow& window : {kForm1, kForm2, kForm3}) {
        EXPECT_TRUE(whole(window.clientWidth) && whole(window.clientHeight)) << window.name;
    }
}

TEST(LayoutTest, TheHelpWindowsControlsFitItFromTopToBottom) {
    int previousTop = -1;
    for (const ControlRow& row : kForm2Controls) {
        EXPECT_TRUE(inside(row.twips, kForm2)) << row.name;
        EXPECT_GT(row.twips.top, previousTop) << row.name;
        previousTop = row.twips.top;
    }
    EXPECT_TRUE(inside(kForm3WebBrowser1.twips, kForm3));

    // Line1 is horizontal and lies on Label1, below its first line of text.
    const TwipsRect& label1 = form2Control("Label1").twips;
    const LineRow& line = kForm2Line1;
    EXPECT_EQ(line.y1, line.y2);
    EXPECT_GE(line.x1, label1.left);
    EXPECT_LE(line.x2, label1.right());
    EXPECT_GT(line.y1, label1.top);
    EXPECT_LT(line.y1, label1.bottom());
    const PixelRect pixels = linePixels(line);
    EXPECT_EQ(pixels.height, 1);
    EXPECT_EQ(pixels.x + pixels.width - 1, twipsToPixels(line.x2));  // both ends drawn
}

TEST(LayoutTest, TheTabOrderNamesEachFocusableControlOnce) {
    std::set<std::string_view> names;
    for (const ControlRow& row : kForm1Visible) EXPECT_TRUE(names.insert(row.name).second) << row.name;
    for (const ControlRow& row : kForm1Hidden) EXPECT_TRUE(names.insert(row.name).second) << row.name;

    std::set<std::string_view> ordered;
    for (std::string_view name : kForm1TabOrder) {
        EXPECT_TRUE(names.count(name)) << name;
        EXPECT_TRUE(ordered.insert(name).second) << name;
    }
    // Every visible control that takes input is in it; the picture is decoration only.
    for (const ControlRow& row : kForm1Visible) {
        EXPECT_EQ(ordered.count(row.name), row.kind == ControlKind::picture ? 0u : 1u) << row.name;
    }
    EXPECT_EQ(kForm1TabOrder.front(), kForm1FirstFocus);
    EXPECT_EQ(form1Control("List1").kind, ControlKind::listBox);  // found among the hidden ones
    EXPECT_THROW(form1Control("Label9"), std::out_of_range);
}
