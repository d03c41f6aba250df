#include "form2.h"

#include "colours.h"
#include "images.h"
#include "layout.h"
#include "links.h"
#include "resources.h"
#include "shared_layout.h"
#include "texts.h"

namespace quillmere::win32 {
namespace {

namespace common = ui::common;

}  // namespace

bool LinkLabel::create(HWND parent, const std::string& text, const Rect& rect, int id) {
    // SS_NOTIFY: the label takes the mouse instead of passing it through to the window.
    if (!Label::create(parent, text, rect, id, SS_NOTIFY)) return false;
    subclass();
    return true;
}

bool LinkLabel::onOwnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    if (message == WM_LBUTTONDOWN) {
        pressed_ = true;
        ::SetCapture(hwnd());
        result = 0;
        return true;
    }
    if (message == WM_LBUTTONUP) {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (::GetCapture() == hwnd()) ::ReleaseCapture();
        RECT client;
        ::GetClientRect(hwnd(), &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && ::PtInRect(&client, at) && clicked_) clicked_();
        result = 0;
        return true;
    }
    return false;
}

Form2::Form2(std::string helpAddress, std::function<void()> openWebHelp, TopLevelWindows& windows)
    : helpAddress_(std::move(helpAddress)), openWebHelp_(std::move(openWebHelp)), windows_(windows) {}

bool Form2::create(const Scale& scale) {
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    yellow_.reset(::CreateSolidBrush(colourOf(common::kLightYellow)));
    blue_.reset(::CreateSolidBrush(colourOf(common::kLine1Blue)));
    font_.reset(createFont(common::kWindowFont, scale));
    hand_ = static_cast<HCURSOR>(::LoadImageW(module, MAKEINTRESOURCEW(QUILLMERE_IDC_LINK), IMAGE_CURSOR,
                                              common::kLinkCursorSize, common::kLinkCursorSize, 0));

    CreateInfo info;
    info.className = "QuillmereForm2";
    info.caption = std::string(common::kForm2.caption);
    // A fixed dialog frame with the close box alone, kept off the task bar as a tool window.
    const FrameStyle frame = frameStyleOf(common::kForm2);
    info.style = frame.style | WS_CLIPCHILDREN;
    info.exStyle = frame.exStyle;
    info.rect = clientArea(common::kForm2, scale);
    info.icon = programIcon(module);
    info.background = yellow_.get();
    if (!Window::create(info)) return false;
    windows_.opened(*this);

    const auto& link = common::form2Control("Label1");
    label1_.create(hwnd(), common::helpLinkText(helpAddress_), place(link.twips, scale), 1);
    label1_.setColours(colourOf(common::kText), yellow_.get());
    label1_.onClick([this] { openWebHelp_(); });

    const common::PixelRect line = common::linePixels(common::kForm2Line1, scale.dpi());
    line1_.create(hwnd(), "", {line.x, line.y, line.width, line.height}, 2);
    line1_.setColours(colourOf(common::kLine1Blue), blue_.get());
    // Over the label whose second line it underlines.
    ::SetWindowPos(line1_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    std::size_t next = 0;
    for (const common::ControlRow& row : common::kForm2Controls) {
        if (row.kind != common::ControlKind::label || row.name == "Label1") continue;
        Label& label = labels_.at(next++);
        label.create(hwnd(), std::string(row.text), place(row.twips, scale), static_cast<int>(10 + next));
        label.setColours(colourOf(common::kText), yellow_.get());
    }
    const auto& close = common::form2Control("Command1");
    command1_.create(hwnd(), std::string(close.text), place(close.twips, scale), 20);
    command1_.onClick([this] { destroy(); });

    for (Control* c : std::initializer_list<Control*>{&label1_, &command1_}) c->setFont(font_.get());
    for (Label& label : labels_) label.setFont(font_.get());
    return true;
}

void Form2::onDestroy() {
    windows_.closed(*this);
}

bool Form2::onSetCursor(HWND over) {
    if (over != label1_.hwnd() || !hand_) return false;
    ::SetCursor(hand_);
    return true;
}

}  // namespace quillmere::win32
