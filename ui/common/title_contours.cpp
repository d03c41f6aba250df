#include "title_contours.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "title_outline.h"

namespace quillmere::ui::common {
namespace {

Point at(const OutlineElement& e) {
    return {e.x, e.y};
}

// A cubic's lines: the distance of a curve to its chords of n equal steps in t is at most
// 3/4 of its largest second difference over n squared.
void appendCubic(Contour& contour, Point p0, Point p1, Point p2, Point p3, double tolerance) {
    const auto length = [](double x, double y) { return std::hypot(x, y); };
    const double bend = std::max(length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                 length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const int steps = std::max(1, static_cast<int>(std::ceil(std::sqrt(0.75 * bend / tolerance))));
    for (int i = 1; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double u = 1 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        contour.push_back(
            {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
}

}  // namespace

std::vector<Contour> titleContours(double tolerance) {
    std::vector<Contour> contours;
    const auto& outline = kTitleOutline;
    for (std::size_t i = 0; i < std::size(outline); ++i) {
        const OutlineElement& e = outline[i];
        if (e.kind == 'M') {
            contours.emplace_back().push_back(at(e));
        } else if (contours.empty()) {
            continue;  // a line or curve before any start has nowhere to go
        } else if (e.kind == 'L') {
            contours.back().push_back(at(e));
        } else if (e.kind == 'C' && i + 2 < std::size(outline)) {
            appendCubic(contours.back(), contours.back().back(), at(e), at(outline[i + 1]),
                        at(outline[i + 2]), tolerance);
            i += 2;
        }
    }
    return contours;
}

Box boxOf(const std::vector<Contour>& contours) {
    Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const Contour& contour : contours) {
        for (const Point& p : contour) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
    }
    return box;
}

}  // namespace quillmere::ui::common
