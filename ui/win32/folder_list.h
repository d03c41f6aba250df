#pragma once
// The folder list in the style of its era: the open folder's path, one line per level from the
// drive down, each with an open-folder icon, then the open folder's subfolders. A click only
// highlights a line; a double click or Enter opens the folder under it.

#include <string>
#include <vector>

#include "control.h"
#include "gdi.h"

namespace quillmere::win32 {

class FolderList : public Control {
  public:
    struct Line {
        std::string text;
        std::string path;
        int level = 0;
        bool onPath = false;  // the open folder or one above it
    };

    bool create(HWND parent, const Rect& rect, int id, const Scale& scale, COLORREF background);

    // Opens the folder (engine text, e.g. "C:\ati"). One that cannot be listed opens with no
    // subfolders, and the list still shows where it is.
    void setPath(const std::string& path);
    // The open folder, never the one that is only highlighted.
    const std::string& path() const { return path_; }
    const std::vector<Line>& lines() const { return lines_; }
    // The highlighted line, or -1.
    int highlighted() const;

    bool onCommand(int code) override;
    bool onDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH onColour(HDC dc) override;

  protected:
    bool onOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void openHighlighted();
    void drawFolderIcon(HDC dc, int left, int top, bool open) const;

    std::string path_;
    std::vector<Line> lines_;
    int indent_ = 8;
    int iconSize_ = 16;
    COLORREF backgroundColour_ = RGB(255, 255, 255);
    GdiObject<HBRUSH> background_;
};

// The subfolders' names, sorted without regard to case; hidden ones and "." and ".." left out.
std::vector<std::string> subfoldersOf(const std::string& path);

}  // namespace quillmere::win32
