#include "banner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <vector>

#include "colours.h"
#include "shared_layout.h"
#include "stage.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

namespace common = ui::common;

constexpr UINT_PTR kClock = 1;

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
    if (!titleReady_) prepareTitle(dc, stage);

    drawSparks(dc, stage);

    HGDIOBJ oldFont = ::SelectObject(dc, titleFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colourOf(common::kTitleColour));
    ::SetTextCharacterExtra(dc, titleExtra_);
    const std::wstring title = platform::wideText(common::kTitleText);
    ::TextOutW(dc, titleBox_.left, titleBox_.top, title.c_str(), static_cast<int>(title.size()));
    ::SetTextCharacterExtra(dc, 0);
    ::SelectObject(dc, oldFont);

    // The reflection: the mirrored title, squashed to its height, at its opacity.
    const double top = (titleBox_.top - stage.offsetY) / stage.scaleY;
    const double bottom = (titleBox_.bottom - stage.offsetY) / stage.scaleY;
    const common::Placement mirror = common::placeReflection(top, bottom, model_.reflection().height);
    const double upper = stage.scaleY * mirror.apply({0, bottom}).y + stage.offsetY;
    const double lower = stage.scaleY * mirror.apply({0, top}).y + stage.offsetY;
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = ::SelectObject(source, mirrored_.get());
    const BLENDFUNCTION blend{
        AC_SRC_OVER, 0, static_cast<BYTE>(std::lround(model_.reflection().opacity * 255)), AC_SRC_ALPHA};
    const int boxWidth = titleBox_.right - titleBox_.left;
    const int boxHeight = titleBox_.bottom - titleBox_.top;
    ::GdiAlphaBlend(dc, titleBox_.left, rounded(upper), boxWidth, std::max(1, rounded(lower - upper)), source,
                    0, 0, boxWidth, boxHeight, blend);
    ::SelectObject(source, oldBitmap);
    ::DeleteDC(source);
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

void Banner::prepareTitle(HDC dc, const common::Placement& stage) {
    const auto makeFont = [](int pixels) {
        LOGFONTW font{};
        font.lfHeight = -pixels;
        font.lfWeight = common::kTitleBold ? FW_BOLD : FW_NORMAL;
        font.lfQuality = ANTIALIASED_QUALITY;
        std::wcscpy(font.lfFaceName, L"Tahoma");
        return ::CreateFontIndirectW(&font);
    };
    const std::wstring title = platform::wideText(common::kTitleText);
    const int count = static_cast<int>(title.size());

    // The title's box as laid out at its own size, then placed on the stage and in the control.
    GdiObject<HFONT> base(makeFont(common::kTitleSize));
    HGDIOBJ oldFont = ::SelectObject(dc, base.get());
    TEXTMETRICW metrics;
    ::GetTextMetricsW(dc, &metrics);
    const int baseExtra =
        rounded(metrics.tmAveCharWidth * (common::kTitleLetterSpacingPercent - 100) / 100.0);
    ::SetTextCharacterExtra(dc, baseExtra);
    SIZE size;
    ::GetTextExtentPoint32W(dc, title.c_str(), count, &size);
    ::SetTextCharacterExtra(dc, 0);
    ::SelectObject(dc, oldFont);
    const common::Placement onStage = common::placeTitle(0, 0, size.cx, size.cy);
    const common::Point topLeft = stage.apply(onStage.apply({0, 0}));
    const double factor = onStage.scaleX * stage.scaleX;
    titleFont_.reset(makeFont(rounded(common::kTitleSize * factor)));
    titleExtra_ = rounded(baseExtra * factor);
    titleBox_ = {rounded(topLeft.x), rounded(topLeft.y), rounded(topLeft.x + size.cx * factor),
                 rounded(topLeft.y + size.cy * factor)};

    // The title white on black, then turned into premultiplied title colour with the coverage as
    // alpha, upside down.
    const int width = titleBox_.right - titleBox_.left;
    const int height = titleBox_.bottom - titleBox_.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP glyphs = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!glyphs) return;
    HDC scratch = ::CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = ::SelectObject(scratch, glyphs);
    const RECT all{0, 0, width, height};
    ::FillRect(scratch, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    oldFont = ::SelectObject(scratch, titleFont_.get());
    ::SetBkMode(scratch, TRANSPARENT);
    ::SetTextColor(scratch, RGB(255, 255, 255));
    ::SetTextCharacterExtra(scratch, titleExtra_);
    ::TextOutW(scratch, 0, 0, title.c_str(), count);
    ::GdiFlush();
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::vector<std::uint32_t> flipped(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const common::Rgb colour = common::kTitleColour;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[y * width + x];
            const std::uint32_t alpha = std::max({p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu});
            const auto pre = [alpha](std::uint8_t c) { return static_cast<std::uint32_t>(c) * alpha / 255; };
            flipped[static_cast<std::size_t>((height - 1 - y) * width + x)] =
                (alpha << 24) | (pre(colour.red) << 16) | (pre(colour.green) << 8) | pre(colour.blue);
        }
    }
    std::memcpy(pixels, flipped.data(), flipped.size() * sizeof(std::uint32_t));
    ::SelectObject(scratch, oldFont);
    ::SelectObject(scratch, oldBitmap);
    ::DeleteDC(scratch);
    mirrored_.reset(glyphs);
    titleReady_ = true;
}

}  // namespace quillmere::win32
