#include "folder_list.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "folder_lines.h"
#include "folder_picture.h"
#include "platform.h"
#include "shared_layout.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    if (path.size() == 2 && path[1] == ':') path += '\\';  // "C:" is the drive's root
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string child(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + '\\' + name;
}

// One of the folder picture's shapes, with the pen and brush the DC holds.
template <std::size_t N>
void drawGridPolygon(HDC dc, const std::array<ui::common::GridPoint, N>& corners, int left, int top,
                     int side) {
    std::array<POINT, N> points{};
    for (std::size_t i = 0; i < N; ++i) {
        const ui::common::GridPoint pixel = ui::common::folderPixel(corners[i], side);
        points[i] = POINT{left + pixel.x, top + pixel.y};
    }
    ::Polygon(dc, points.data(), static_cast<int>(N));
}

}  // namespace

std::vector<std::string> subfoldersOf(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search =
        ::FindFirstFileW(platform::toPath(child(withoutTrailingSeparator(path), "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || name == L"." || name == L"..") continue;
        try {
            names.push_back(platform::utf8Text(name));
        } catch (const platform::TextConversionError&) {
            // A name with a broken surrogate pair could be shown but never opened again.
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

bool FolderList::create(HWND parent, const Rect& rect, int id, const Scale& scale, COLORREF background) {
    const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                        LBS_NOINTEGRALHEIGHT;
    if (!Control::create(parent, "LISTBOX", "", style, 0, rect, id)) return false;
    indent_ = scale.fromPixels96(ui::common::kFolderIndentPerLevel);
    iconSize_ = scale.fromPixels96(ui::common::kFolderPictureSize);
    backgroundColour_ = background;
    background_.reset(::CreateSolidBrush(background));
    ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, scale.fromPixels96(ui::common::kFolderLineHeight));
    subclass();
    return true;
}

void FolderList::setPath(const std::string& path) {
    path_ = withoutTrailingSeparator(path);
    lines_.clear();
    int level = 0;
    for (ui::common::FolderLevel& folder : ui::common::folderLevels(path_, '\\'))
        lines_.push_back({std::move(folder.text), std::move(folder.path), level++, true});
    const int openLine = static_cast<int>(lines_.size()) - 1;
    for (const std::string& name : subfoldersOf(path_))
        lines_.push_back({name, child(path_, name), level, false});

    ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        ::SendMessageW(hwnd(), LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(openLine), 0);
    ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

int FolderList::highlighted() const {
    return static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
}

void FolderList::openHighlighted() {
    const int line = highlighted();
    if (line < 0 || line >= static_cast<int>(lines_.size())) return;
    const std::string folder = lines_[static_cast<std::size_t>(line)].path;
    setPath(folder);
}

bool FolderList::onCommand(int code) {
    if (code != LBN_DBLCLK) return false;
    openHighlighted();
    return true;
}

bool FolderList::onOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Enter opens, also inside a window whose message loop handles dialog keys.
    if (message == WM_GETDLGCODE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        result = callOriginal(message, wParam, lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) result |= DLGC_WANTMESSAGE;
        return true;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        openHighlighted();
        result = 0;
        return true;
    }
    return false;
}

HBRUSH FolderList::onColour(HDC dc) {
    ::SetTextColor(dc, colourOf(ui::common::kText));
    ::SetBkColor(dc, backgroundColour_);
    return background_.get();
}

bool FolderList::onDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= lines_.size()) {
        ::FillRect(item.hDC, &item.rcItem, background_.get());
        return true;
    }
    const Line& line = lines_[item.itemData];
    RECT row = item.rcItem;
    ::FillRect(item.hDC, &row, background_.get());
    row.left += line.level * indent_;
    drawFolderIcon(item.hDC, row.left + 1, row.top + (row.bottom - row.top - iconSize_) / 2, line.onPath);
    RECT textBox = row;
    textBox.left += iconSize_ + 3;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) ::FillRect(item.hDC, &textBox, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : colourOf(ui::common::kText));
    textBox.left += 2;
    const std::wstring text = platform::wideText(line.text);
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &textBox,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) {
        textBox.left -= 2;
        ::DrawFocusRect(item.hDC, &textBox);
    }
    return true;
}

void FolderList::drawFolderIcon(HDC dc, int left, int top, bool open) const {
    namespace common = ui::common;
    const auto polygon = [&](const auto& corners) { drawGridPolygon(dc, corners, left, top, iconSize_); };
    GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colourOf(common::kFolderOutline)));
    GdiObject<HBRUSH> back(::CreateSolidBrush(colourOf(common::kFolderBack)));
    GdiObject<HBRUSH> front(
        ::CreateSolidBrush(colourOf(open ? common::kOpenFolderFront : common::kClosedFolderFront)));
    HGDIOBJ oldPen = ::SelectObject(dc, pen.get());
    HGDIOBJ oldBrush = ::SelectObject(dc, back.get());
    polygon(common::kFolderBody);
    ::SelectObject(dc, front.get());
    if (open) {
        polygon(common::kOpenFolderFlap);
    } else {
        polygon(common::kClosedFolderFlap);
    }
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

}  // namespace quillmere::win32
