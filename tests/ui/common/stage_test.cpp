// Where the banner's stage, title and reflection land, for controls of any size.

#include "stage.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace quillmere::ui::common;

TEST(StageTest, TheStageKeepsItsProportionsAndIsCentredInAnyControl) {
    struct Size {
        double width, height;
    };
    for (const Size control :
         {Size{609, 313}, Size{600, 300}, Size{300, 300}, Size{1200, 300}, Size{1, 1000}}) {
        const Placement fit = fitStage(control.width, control.height);
        EXPECT_DOUBLE_EQ(fit.scaleX, fit.scaleY);
        const Point topLeft = fit.apply({0, 0});
        const Point bottomRight = fit.apply({kStageWidth, kStageHeight});
        // Inside the control, touching it on two opposite sides, with equal bands on the others.
        EXPECT_GE(topLeft.x, -1e-9);
        EXPECT_GE(topLeft.y, -1e-9);
        EXPECT_NEAR(control.width - bottomRight.x, topLeft.x, 1e-9);
        EXPECT_NEAR(control.height - bottomRight.y, topLeft.y, 1e-9);
        EXPECT_TRUE(std::abs(topLeft.x) < 1e-9 || std::abs(topLeft.y) < 1e-9);
    }
    const Placement banner = fitStage(609, 313);
    EXPECT_DOUBLE_EQ(banner.scaleX, 609.0 / 600);
    EXPECT_NEAR(banner.offsetY, 4.25, 1e-9);
}

TEST(StageTest, TheTitleIsEnlargedAndCentredInTheLowerHalfWhereverItsGlyphsStart) {
    // Boxes of a 20-pixel title as toolkits lay it out: above its baseline or below its origin.
    for (const auto [left, top, right, bottom] :
         {std::array{0.0, -15.0, 190.0, 4.0}, std::array{12.0, 3.0, 214.0, 25.0}}) {
        const Placement title = placeTitle(left, top, right, bottom);
        const Point a = title.apply({left, top});
        const Point b = title.apply({right, bottom});
        EXPECT_NEAR((a.x + b.x) / 2, kStageWidth / 2, 1e-9);
        EXPECT_NEAR((a.y + b.y) / 2, kStageHeight * 3 / 4, 1e-9);
        EXPECT_NEAR(b.x - a.x, 1.8 * (right - left), 1e-9);
        EXPECT_NEAR(b.y - a.y, 1.8 * (bottom - top), 1e-9);
        EXPECT_GE(a.y, kStageHeight / 2);
        EXPECT_GE(a.x, 0);
        EXPECT_LE(b.x, kStageWidth);
    }
}

TEST(StageTest, TheReflectionHangsUpsideDownAQuarterOfTheTitleBelowIt) {
    const double top = 208, bottom = 242, h = bottom - top;
    for (double height : {0.91, 0.95, 1.0}) {
        const Placement reflection = placeReflection(top, bottom, height);
        EXPECT_DOUBLE_EQ(reflection.scaleX, 1);
        EXPECT_DOUBLE_EQ(reflection.offsetX, 0);
        // The title's foot becomes the reflection's upper edge, its head the lower one.
        EXPECT_NEAR(reflection.apply({0, bottom}).y, bottom + h / 4, 1e-9);
        EXPECT_NEAR(reflection.apply({0, top}).y, bottom + h / 4 + height * h, 1e-9);
    }
}
