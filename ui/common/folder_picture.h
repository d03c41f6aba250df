#pragma once
// The folder list's pictures, drawn the same by both windows: a manila folder with a dark outline;
// an open one shows its front flap tilted forward. Drawn rather than loaded, so that the list
// needs no image decoder and looks alike on every desktop.

#include <array>

#include "colours.h"

namespace quillmere::ui::common {

// Corners on a grid of kFolderGrid x kFolderGrid, scaled to the picture's side in pixels.
struct GridPoint {
    int x = 0;
    int y = 0;
};
inline constexpr int kFolderGrid = 16;

// The back of the folder with its tab; the flap is drawn over it.
inline constexpr std::array<GridPoint, 6> kFolderBody{{{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 13}, {1, 13}}};
inline constexpr std::array<GridPoint, 4> kOpenFolderFlap{{{3, 7}, {15, 7}, {13, 13}, {1, 13}}};
inline constexpr std::array<GridPoint, 4> kClosedFolderFlap{{{1, 6}, {14, 6}, {14, 13}, {1, 13}}};

inline constexpr Rgb kFolderOutline{96, 72, 0};
inline constexpr Rgb kFolderBack{224, 176, 48};
inline constexpr Rgb kOpenFolderFront{255, 224, 112};
inline constexpr Rgb kClosedFolderFront{240, 200, 72};

// A grid corner in pixels on a picture of `side` pixels, truncated as both toolkits place it.
constexpr GridPoint folderPixel(GridPoint corner, int side) {
    return {corner.x * side / kFolderGrid, corner.y * side / kFolderGrid};
}

}  // namespace quillmere::ui::common
