#include "drive_list.h"

#include <algorithm>
#include <cctype>

#include "shared_layout.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

bool sameRoot(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::vector<Drive> listDrives() {
    std::vector<Drive> drives;
    // An empty floppy or card drive must not raise the system's "insert a disk" box.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const DWORD mask = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter))) continue;
        const std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        const std::wstring wideRoot = platform::wideText(root);
        wchar_t volume[MAX_PATH + 1] = L"";
        const UINT type = ::GetDriveTypeW(wideRoot.c_str());
        // Removable drives are not asked for a label: that would spin up the floppy.
        if (type != DRIVE_REMOVABLE && !::GetVolumeInformationW(wideRoot.c_str(), volume, MAX_PATH + 1,
                                                                nullptr, nullptr, nullptr, nullptr, 0)) {
            volume[0] = L'\0';
        }
        std::string label;
        try {
            label = platform::utf8Text(volume);
        } catch (const platform::TextConversionError&) {
            label.clear();  // a label that cannot be shown as it is is not shown
        }
        drives.push_back({root, ui::common::driveLabel(root, label)});
    }
    ::SetErrorMode(oldMode);
    return drives;
}

bool DriveList::create(HWND parent, const Rect& rect, int id, const Scale& scale, COLORREF background,
                       const std::vector<Drive>& drives) {
    // The height given to a drop-down list includes its open list.
    Rect withList = rect;
    withList.height = rect.height + scale.fromPixels96(160);
    const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
    if (!Control::create(parent, "COMBOBOX", "", style, 0, withList, id)) return false;
    backgroundColour_ = background;
    background_.reset(::CreateSolidBrush(background));
    // The closed box: its field plus the 3-pixel frame above and below.
    ::SendMessageW(hwnd(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rect.height - 6);
    ::SendMessageW(hwnd(), CB_SETITEMHEIGHT, 0, scale.fromPixels96(15));
    for (const Drive& d : drives) {
        drives_.push_back(d);
        ::SendMessageW(hwnd(), CB_ADDSTRING, 0, static_cast<LPARAM>(drives_.size() - 1));
    }
    return true;
}

int DriveList::selected() const {
    return static_cast<int>(::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
}

void DriveList::setDrive(const std::string& root) {
    auto it =
        std::find_if(drives_.begin(), drives_.end(), [&](const Drive& d) { return sameRoot(d.root, root); });
    if (it == drives_.end()) {
        drives_.push_back({root, ui::common::driveLabel(root, "")});
        ::SendMessageW(hwnd(), CB_ADDSTRING, 0, static_cast<LPARAM>(drives_.size() - 1));
        it = drives_.end() - 1;
    }
    // Items are added in order, so an item's index is its place in drives_.
    ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(it - drives_.begin()), 0);
    onCommand(CBN_SELCHANGE);  // the system reports only the user's changes
}

std::string DriveList::drive() const {
    const int index = selected();
    return index >= 0 && index < static_cast<int>(drives_.size())
               ? drives_[static_cast<std::size_t>(index)].root
               : std::string();
}

bool DriveList::onCommand(int code) {
    if (code != CBN_SELCHANGE) return false;
    const int index = selected();
    if (index == lastReported_ || index < 0) return true;
    lastReported_ = index;
    if (changed_) changed_(drives_[static_cast<std::size_t>(index)].root);
    return true;
}

HBRUSH DriveList::onColour(HDC dc) {
    ::SetTextColor(dc, colourOf(ui::common::kText));
    ::SetBkColor(dc, backgroundColour_);
    return background_.get();
}

bool DriveList::onDrawItem(const DRAWITEMSTRUCT& item) {
    RECT row = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &row, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : background_.get());
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= drives_.size()) return true;
    const std::string& label = drives_[item.itemData].label;
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : colourOf(ui::common::kText));
    row.left += 3;
    const std::wstring text = platform::wideText(label);
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &row,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        row.left -= 3;
        ::DrawFocusRect(item.hDC, &row);
    }
    return true;
}

}  // namespace quillmere::win32
