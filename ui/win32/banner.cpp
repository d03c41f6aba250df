#include "banner.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "colours.h"
#include "shared_layout.h"
#include "stage.h"
#include "title_contours.h"

namespace quillmere::win32 {
namespace {

namespace common = ui::common;

constexpr UINT_PTR kClock = 1;
// How closely the title's polygons follow its curves, in the outline's pixels, and how many
// samples a side each screen pixel of the title gets.
constexpr double kTitleTolerance = 0.05;
constexpr int kTitleSupersample = 4;

// `over` laid on `under` at the given opacity.
COLORREF mix(const common::Rgb& over, const common::Rgb& under, double opacity) {
    const auto channel = [opacity](std::uint8_t a, std::uint8_t b) {
        return static_cast<BYTE>(std::lround(a * opacity + b * (1 - opacity)));
    };
    return RGB(channel(over.red, under.red), channel(over.green, under.green),
               channel(over.blue, under.blue));
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

// A 32-bit bitmap with its rows from the top down, and where its pixels are.
HBITMAP topDownBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// `picture`, a premultiplied bitmap with alpha, over `dc` in the box, at the opacity.
void blend(HDC dc, HBITMAP picture, int pictureWidth, int pictureHeight, const RECT& box, double opacity) {
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = ::SelectObject(source, picture);
    const BLENDFUNCTION how{AC_SRC_OVER, 0, static_cast<BYTE>(std::lround(opacity * 255)), AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, box.left, box.top, std::max(1, static_cast<int>(box.right - box.left)),
                    std::max(1, static_cast<int>(box.bottom - box.top)), source, 0, 0, pictureWidth,
                    pictureHeight, how);
    ::SelectObject(source, oldBitmap);
    ::DeleteDC(source);
}

}  // namespace

Banner::Banner(std::string helpPageUrl, OpenUrl open, std::uint32_t seed)
    : helpPageUrl_(std::move(helpPageUrl)), open_(std::move(open)), model_(seed) {}

bool Banner::create(HWND parent, const Rect& rect, int id) {
    CreateInfo info;
    info.className = "QuillmereBanner";
    info.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
    info.parent = parent;
    info.rect = rect;
    info.id = id;
    if (!Window::create(info)) return false;
    ::SetTimer(hwnd(), kClock, common::BannerModel::kFrameMilliseconds, nullptr);
    return true;
}

void Banner::advanceFrame() {
    model_.advanceFrame();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void Banner::onTimer(UINT_PTR id) {
    // The clock runs only while the window can be seen.
    if (id == kClock && ::IsWindowVisible(hwnd())) advanceFrame();
}

LRESULT Banner::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            ::SetFocus(hwnd());
            return 0;
        case WM_LBUTTONUP: {
            RECT client;
            ::GetClientRect(hwnd(), &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (::PtInRect(&client, at) && open_) open_(hwnd(), helpPageUrl_);
            return 0;
        }
        case WM_DESTROY:
            ::KillTimer(hwnd(), kClock);
            return 0;
        default:
            return Window::handleMessage(message, wParam, lParam);
    }
}

void Banner::onPaint(HDC dc, const RECT& /*dirty*/) {
    RECT client;
    ::GetClientRect(hwnd(), &client);
    BackBuffer buffer(dc, client.right, client.bottom);
    draw(buffer.dc(), client.right, client.bottom);
    buffer.copyTo(dc);
}

void Banner::draw(HDC dc, int width, int height) {
    const RECT all{0, 0, width, height};
    GdiObject<HBRUSH> stageBrush(::CreateSolidBrush(colourOf(common::kStageSlateBlue)));
    ::FillRect(dc, &all, stageBrush.get());
    const common::Placement stage = common::fitStage(width, height);
    if (!titleReady_) prepareTitle(stage);

    drawSparks(dc, stage);
    if (!titleReady_) return;

    const int boxWidth = titleBox_.right - titleBox_.left;
    const int boxHeight = titleBox_.bottom - titleBox_.top;
    blend(dc, title_.get(), boxWidth, boxHeight, titleBox_, 1.0);

    // The reflection: the mirrored title, squashed to its height, at its opacity.
    const double top = (titleBox_.top - stage.offsetY) / stage.scaleY;
    const double bottom = (titleBox_.bottom - stage.offsetY) / stage.scaleY;
    const common::Placement mirror = common::placeReflection(top, bottom, model_.reflection().height);
    const double upper = stage.scaleY * mirror.apply({0, bottom}).y + stage.offsetY;
    const double lower = stage.scaleY * mirror.apply({0, top}).y + stage.offsetY;
    const RECT reflection{titleBox_.left, rounded(upper), titleBox_.right,
                          rounded(upper) + std::max(1, rounded(lower - upper))};
    blend(dc, mirrored_.get(), boxWidth, boxHeight, reflection, model_.reflection().opacity);
}

void Banner::drawSparks(HDC dc, const common::Placement& stage) const {
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    for (const auto& spark : model_.sparks()) {
        POINT points[common::BannerModel::kSparkPoints];
        const auto outline = model_.sparkOutline(spark);
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const common::Point p = stage.apply(outline[i]);
            points[i] = {rounded(p.x), rounded(p.y)};
        }
        // Sparks lie on the bare stage, so their opacity is a mixed colour.
        GdiObject<HBRUSH> brush(
            ::CreateSolidBrush(mix(common::kSparkColour, common::kStageSlateBlue, spark.opacity)));
        HGDIOBJ oldBrush = ::SelectObject(dc, brush.get());
        ::Polygon(dc, points, static_cast<int>(outline.size()));
        ::SelectObject(dc, oldBrush);
    }
    ::SelectObject(dc, oldPen);
}

void Banner::prepareTitle(const common::Placement& stage) {
    // The stored letters, placed on the stage as the outline's own box says, then in the control.
    const std::vector<common::Contour> contours = common::titleContours(kTitleTolerance);
    const common::Box glyphs = common::boxOf(contours);
    const common::Placement onStage =
        common::placeTitle(glyphs.left, glyphs.top, glyphs.right, glyphs.bottom);
    const auto inControl = [&](common::Point p) { return stage.apply(onStage.apply(p)); };
    const common::Point topLeft = inControl({glyphs.left, glyphs.top});
    const common::Point bottomRight = inControl({glyphs.right, glyphs.bottom});
    titleBox_ = {static_cast<LONG>(std::floor(topLeft.x)) - 1, static_cast<LONG>(std::floor(topLeft.y)) - 1,
                 static_cast<LONG>(std::ceil(bottomRight.x)) + 1,
                 static_cast<LONG>(std::ceil(bottomRight.y)) + 1};
    const int width = titleBox_.right - titleBox_.left;
    const int height = titleBox_.bottom - titleBox_.top;
    if (width <= 0 || height <= 0) return;

    // GDI fills polygons without smoothing: the letters are filled white on black at a finer
    // grid, and each pixel's share of white becomes its coverage.
    const int fineWidth = width * kTitleSupersample;
    const int fineHeight = height * kTitleSupersample;
    void* fineBits = nullptr;
    GdiObject<HBITMAP> fine(topDownBitmap(fineWidth, fineHeight, &fineBits));
    if (!fine.get()) return;
    HDC scratch = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = ::SelectObject(scratch, fine.get());
    const RECT all{0, 0, fineWidth, fineHeight};
    ::FillRect(scratch, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const common::Contour& contour : contours) {
        for (const common::Point& p : contour) {
            const common::Point at = inControl(p);
            points.push_back({rounded((at.x - titleBox_.left) * kTitleSupersample),
                              rounded((at.y - titleBox_.top) * kTitleSupersample)});
        }
        counts.push_back(static_cast<INT>(contour.size()));
    }
    HGDIOBJ oldPen = ::SelectObject(scratch, ::GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = ::SelectObject(scratch, ::GetStockObject(WHITE_BRUSH));
    ::SetPolyFillMode(scratch, ALTERNATE);  // the outline's odd-even rule
    ::PolyPolygon(scratch, points.data(), counts.data(), static_cast<int>(counts.size()));
    ::GdiFlush();
    ::SelectObject(scratch, oldBrush);
    ::SelectObject(scratch, oldPen);
    ::SelectObject(scratch, oldBitmap);
    ::DeleteDC(scratch);

    // The title colour premultiplied by the coverage, upright and upside down.
    void* uprightBits = nullptr;
    void* mirroredBits = nullptr;
    GdiObject<HBITMAP> upright(topDownBitmap(width, height, &uprightBits));
    GdiObject<HBITMAP> mirrored(topDownBitmap(width, height, &mirroredBits));
    if (!upright.get() || !mirrored.get()) return;
    const auto* samples = static_cast<const std::uint32_t*>(fineBits);
    auto* up = static_cast<std::uint32_t*>(uprightBits);
    auto* down = static_cast<std::uint32_t*>(mirroredBits);
    const common::Rgb colour = common::kTitleColour;
    constexpr int kSamples = kTitleSupersample * kTitleSupersample;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t white = 0;
            for (int fy = 0; fy < kTitleSupersample; ++fy) {
                const std::size_t row = static_cast<std::size_t>(y * kTitleSupersample + fy) * fineWidth;
                for (int fx = 0; fx < kTitleSupersample; ++fx)
                    white += samples[row + static_cast<std::size_t>(x * kTitleSupersample + fx)] & 0xFFu;
            }
            const std::uint32_t alpha = (white + kSamples / 2) / kSamples;
            const auto pre = [alpha](std::uint8_t c) { return static_cast<std::uint32_t>(c) * alpha / 255; };
            const std::uint32_t pixel =
                (alpha << 24) | (pre(colour.red) << 16) | (pre(colour.green) << 8) | pre(colour.blue);
            up[static_cast<std::size_t>(y) * width + x] = pixel;
            down[static_cast<std::size_t>(height - 1 - y) * width + x] = pixel;
        }
    }
    title_ = std::move(upright);
    mirrored_ = std::move(mirrored);
    titleReady_ = true;
}

}  // namespace quillmere::win32
