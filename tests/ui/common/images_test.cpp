// The images in ui/assets have the sizes and the hot spot that the windows load them with, so a
// redrawn image that does not fit is caught here rather than on screen.

#include "images.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

using namespace quillmere::ui::common;

namespace {

std::string readFile(const std::string& name) {
    std::ifstream in(std::string(QUILLMERE_ASSETS) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Width and height from a PNG's header chunk; -1, -1 for anything that is not a PNG.
std::array<int, 2> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {-1, -1};
    const auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i) value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return {word(16), word(20)};
}

}  // namespace

TEST(ImagesTest, TheIconAndTheLogoHaveTheSizesTheWindowsShowThemAt) {
    for (int size : kIconSizes) {
        EXPECT_EQ(pngSize(readFile("icon-" + std::to_string(size) + ".png")), (std::array{size, size}))
            << size;
    }
    EXPECT_EQ(pngSize(readFile("logo.png")), (std::array{kLogoWidth, kLogoHeight}));
}

TEST(ImagesTest, TheLinkCursorIsThirtyTwoSquareWithItsHotSpotAtTheFingertip) {
    // The XPM's values line: width height colours characters-per-pixel hot-spot-x hot-spot-y.
    const std::string xpm = readFile("link-cursor.xpm");
    const std::size_t line = xpm.find("\"", xpm.find('{'));
    ASSERT_NE(line, std::string::npos);
    std::istringstream values(xpm.substr(line + 1, xpm.find('"', line + 1) - line - 1));
    int width = 0, height = 0, colours = 0, perPixel = 0, hotX = -1, hotY = -1;
    values >> width >> height >> colours >> perPixel >> hotX >> hotY;
    EXPECT_EQ(width, kLinkCursorSize);
    EXPECT_EQ(height, kLinkCursorSize);
    EXPECT_LE(colours, 16);
    EXPECT_EQ(hotX, kLinkCursorHotSpotX);
    EXPECT_EQ(hotY, kLinkCursorHotSpotY);
}
