#pragma once
// The program around the windows: its top-level windows (it ends with the last of them), the
// message loop with dialog keys (Tab, Enter) in every window, and the start-up settings.

#include <windows.h>

#include <functional>
#include <vector>

#include "window.h"

namespace quillmere::win32 {

// The open top-level windows of the program. When the last one closes, `lastClosed` runs.
class TopLevelWindows {
  public:
    explicit TopLevelWindows(std::function<void()> lastClosed) : lastClosed_(std::move(lastClosed)) {}

    void opened(Window& window);
    void closed(Window& window);
    // Destroys every open window, then runs `lastClosed` (also when none was open).
    void closeAll();
    Window* find(HWND window) const;
    std::size_t count() const { return windows_.size(); }

  private:
    std::vector<Window*> windows_;
    std::function<void()> lastClosed_;
    bool closingAll_ = false;
};

// Tells Windows that the program scales itself by the system DPI; false where it cannot. Looked
// up at run time: the user32 of Windows 2000 and XP lacks it, and there the system scales
// nothing, so the program draws at the system DPI all the same.
bool becomeDpiAware();

// Common controls 6 where the manifest asks for them, with the classes the windows use.
void initCommonControls();

// What the message loop does with one message: the window's own keys, then dialog keys (Tab,
// Enter), then the usual translation and dispatch.
void handleMessage(const TopLevelWindows& windows, MSG& msg);

// Runs until WM_QUIT; returns its exit code.
int runMessageLoop(const TopLevelWindows& windows);

}  // namespace quillmere::win32
