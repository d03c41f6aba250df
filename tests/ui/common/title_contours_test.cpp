// The title outline cut into polygons: the same letters as the curves, within the tolerance,
// and one polygon per stored contour.

#include "title_contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

#include "title_outline.h"

using namespace quillmere::ui::common;

namespace {

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToContour(Point p, const Contour& contour) {
    double best = INFINITY;
    for (std::size_t i = 0; i + 1 < contour.size(); ++i)
        best = std::min(best, distanceToSegment(p, contour[i], contour[i + 1]));
    return best;
}

Point cubic(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    return {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
            u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y};
}

}  // namespace

TEST(TitleContoursTest, EveryCurveStaysWithinTheToleranceOfItsLines) {
    for (double tolerance : {0.5, 0.05, 0.01}) {
        const std::vector<Contour> contours = titleContours(tolerance);
        const auto& outline = kTitleOutline;
        std::size_t contour = 0;
        Point last{};
        int curves = 0;
        for (std::size_t i = 0; i < std::size(outline); ++i) {
            const OutlineElement& e = outline[i];
            if (e.kind == 'M') {
                if (i > 0) ++contour;
            } else if (e.kind == 'C') {
                const Point p1{e.x, e.y}, p2{outline[i + 1].x, outline[i + 1].y},
                    p3{outline[i + 2].x, outline[i + 2].y};
                ASSERT_LT(contour, contours.size());
                for (int s = 0; s <= 32; ++s) {
                    const Point on = cubic(last, p1, p2, p3, s / 32.0);
                    ASSERT_LE(distanceToContour(on, contours[contour]), tolerance + 1e-4)
                        << "curve at element " << i << ", tolerance " << tolerance;
                }
                ++curves;
                last = p3;
                i += 2;
                continue;
            }
            last = {e.x, e.y};
        }
        EXPECT_GT(curves, 0);
        EXPECT_EQ(contours.size(), contour + 1);
    }
}

TEST(TitleContoursTest, AFinerToleranceCostsMorePointsButKeepsTheCornersAndTheBox) {
    const std::vector<Contour> coarse = titleContours(0.5);
    const std::vector<Contour> fine = titleContours(0.01);
    ASSERT_EQ(coarse.size(), fine.size());
    std::size_t coarsePoints = 0, finePoints = 0;
    for (std::size_t c = 0; c < coarse.size(); ++c) {
        coarsePoints += coarse[c].size();
        finePoints += fine[c].size();
        // Each contour starts where its stored one does, whatever the tolerance.
        EXPECT_EQ(coarse[c].front(), fine[c].front());
    }
    EXPECT_GT(finePoints, coarsePoints);

    // The box of the letters: the title sits on its baseline, about its size tall, and the
    // coarse polygons do not stray outside the fine ones by more than their tolerance.
    const Box fineBox = boxOf(fine), coarseBox = boxOf(coarse);
    EXPECT_LT(fineBox.top, -12);
    EXPECT_GT(fineBox.bottom, 0);  // the Q's tail reaches below the baseline
    EXPECT_GT(fineBox.right - fineBox.left, 10 * (fineBox.bottom - fineBox.top));
    EXPECT_NEAR(coarseBox.left, fineBox.left, 0.5);
    EXPECT_NEAR(coarseBox.top, fineBox.top, 0.5);
    EXPECT_NEAR(coarseBox.right, fineBox.right, 0.5);
    EXPECT_NEAR(coarseBox.bottom, fineBox.bottom, 0.5);
}
