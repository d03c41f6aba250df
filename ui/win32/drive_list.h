#pragma once
// The drive list of its era: a drop-down of the machine's drives, each shown as its letter and
// volume label ("c: [SYSTEM]"). It reports every change of the selected drive, whether the user
// or the program made it.

#include <functional>
#include <string>
#include <vector>

#include "control.h"
#include "drive_label.h"
#include "gdi.h"

namespace quillmere::win32 {

struct Drive {
    std::string root;   // "C:\", a path the folder list opens
    std::string label;  // what the list shows
};

// The machine's drives, in letter order.
std::vector<Drive> listDrives();

class DriveList : public Control {
  public:
    bool create(HWND parent, const Rect& rect, int id, const Scale& scale, COLORREF background,
                const std::vector<Drive>& drives);

    // Selects the drive with this root (letter case aside); one that is not listed is added.
    void setDrive(const std::string& root);
    // The selected drive's root, or "" before one is chosen.
    std::string drive() const;
    const std::vector<Drive>& drives() const { return drives_; }
    void onChanged(std::function<void(const std::string&)> handler) { changed_ = std::move(handler); }

    bool onCommand(int code) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH onColour(HDC dc) override;

  private:
    int selected() const;

    std::vector<Drive> drives_;
    std::function<void(const std::string&)> changed_;
    int lastReported_ = -1;
    COLORREF backgroundColour_ = RGB(255, 255, 255);
    GdiObject<HBRUSH> background_;
};

}  // namespace quillmere::win32
