#include "stage.h"

#include <algorithm>

namespace quillmere::ui::common {

Placement fitStage(double controlWidth, double controlHeight) {
    const double scale = std::min(controlWidth / kStageWidth, controlHeight / kStageHeight);
    return {scale, scale, (controlWidth - kStageWidth * scale) / 2,
            (controlHeight - kStageHeight * scale) / 2};
}

Placement placeTitle(double left, double top, double right, double bottom) {
    const double centreX = (left + right) / 2;
    const double centreY = (top + bottom) / 2;
    return {kTitleEnlargement, kTitleEnlargement, kTitleCentre.x - kTitleEnlargement * centreX,
            kTitleCentre.y - kTitleEnlargement * centreY};
}

Placement placeReflection(double top, double bottom, double height) {
    // Mirrored about the title's bottom edge, then moved down by a quarter of its height.
    const double shift = bottom + (bottom - top) * 0.25;
    return {1, -height, 0, shift + height * bottom};
}

}  // namespace quillmere::ui::common
