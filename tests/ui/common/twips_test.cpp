// Twips to pixels at 96 dpi and at the other system DPI values a form scales to.

#include "twips.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillmere::ui::common;

TEST(TwipsTest, RoundsToTheNearestPixelHalfAwayFromZero) {
    for (int dpi : {72, 96, 120, 144, 168, 192, 240}) {
        int previous = twipsToPixels(-3000, dpi);
        for (int twips = -3000; twips <= 3000; ++twips) {
            const int pixels = twipsToPixels(twips, dpi);
            const double exact = static_cast<double>(twips) * dpi / kTwipsPerInch;
            EXPECT_LE(std::abs(pixels - exact), 0.5) << twips << " twips at " << dpi << " dpi";
            EXPECT_GE(pixels, previous);
            EXPECT_EQ(twipsToPixels(-twips, dpi), -pixels);
            previous = pixels;
        }
    }
    EXPECT_EQ(twipsToPixels(18, 120), 2);  // 1.5 pixels
    EXPECT_EQ(twipsToPixels(-18, 120), -2);
    EXPECT_EQ(twipsToPixels(17, 120), 1);
}

TEST(TwipsTest, ARectangleScalesEachValueOnItsOwn) {
    const TwipsRect dir1{360, 120, 2415, 2115};
    EXPECT_EQ(twipsToPixels(dir1), (PixelRect{24, 8, 161, 141}));
    // At 120 dpi a pixel is 12 twips: 2415 / 12 = 201.25 and 2115 / 12 = 176.25.
    EXPECT_EQ(twipsToPixels(dir1, 120), (PixelRect{30, 10, 201, 176}));
    // Whole multiples of 96 dpi scale the 96-dpi pixels exactly.
    for (int dpi : {192, 288}) {
        const PixelRect at96 = twipsToPixels(dir1);
        const int f = dpi / kBaseDpi;
        EXPECT_EQ(twipsToPixels(dir1, dpi),
                  (PixelRect{at96.x * f, at96.y * f, at96.width * f, at96.height * f}));
    }
}

TEST(TwipsTest, PixelsAndFontsScaleFromNinetySixDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        for (int pixels = 0; pixels < 2000; ++pixels) {
            // From 96-dpi pixels or from the twips they came from, a length scales alike.
            ASSERT_EQ(scalePixels(pixels, dpi), twipsToPixels(pixels * 15, dpi)) << pixels << " at " << dpi;
        }
    }
    EXPECT_EQ(scalePixels(608, 120), 760);
    EXPECT_EQ(pointsToPixels(8.25), 11);
    EXPECT_EQ(pointsToPixels(8.25, 120), 14);  // 13.75
    EXPECT_EQ(pointsToPixels(8.25, 144), 17);  // 16.5
    // No overflow on the way for large values.
    EXPECT_EQ(mulDiv(2'000'000'000, 192, 1440), 266'666'667);
}
