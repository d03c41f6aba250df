#pragma once
// The stored title outline as closed polygons, for toolkits that fill polygons rather than
// curves: each curve is cut into straight lines that stay within a tolerance of it.

#include <vector>

#include "stage.h"

namespace quillmere::ui::common {

using Contour = std::vector<Point>;

// The title's contours in the outline's own pixels (title_outline.h), to be filled by the
// odd-even rule; no point of a curve lies farther than `tolerance` from its lines.
std::vector<Contour> titleContours(double tolerance);

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// The smallest box that holds every point.
Box boxOf(const std::vector<Contour>& contours);

}  // namespace quillmere::ui::common
