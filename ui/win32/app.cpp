#include "app.h"

#include <commctrl.h>

#include <algorithm>

#include "system_function.h"

namespace quillmere::win32 {

void TopLevelWindows::opened(Window& window) {
    if (std::find(windows_.begin(), windows_.end(), &window) == windows_.end()) windows_.push_back(&window);
}

void TopLevelWindows::closed(Window& window) {
    const auto it = std::find(windows_.begin(), windows_.end(), &window);
    if (it == windows_.end()) return;
    windows_.erase(it);
    if (windows_.empty() && !closingAll_ && lastClosed_) lastClosed_();
}

void TopLevelWindows::closeAll() {
    closingAll_ = true;
    // Each destroyed window takes itself off the list.
    while (!windows_.empty()) {
        Window* window = windows_.back();
        window->destroy();
        if (!windows_.empty() && windows_.back() == window) windows_.pop_back();
    }
    closingAll_ = false;
    if (lastClosed_) lastClosed_();
}

Window* TopLevelWindows::find(HWND window) const {
    const auto it =
        std::find_if(windows_.begin(), windows_.end(), [window](Window* w) { return w->hwnd() == window; });
    return it == windows_.end() ? nullptr : *it;
}

bool becomeDpiAware() {
    using SetProcessDpiAware = BOOL(WINAPI*)();
    const auto set = platform::systemFunction<SetProcessDpiAware>("user32.dll", "SetProcessDPIAware");
    return set && set();
}

void initCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
}

void handleMessage(const TopLevelWindows& windows, MSG& msg) {
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (Window* window = root ? windows.find(root) : nullptr) {
        if (window->translateDialogKey(msg)) return;
        if (::IsDialogMessageW(root, &msg)) return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

int runMessageLoop(const TopLevelWindows& windows) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) handleMessage(windows, msg);
    return static_cast<int>(msg.wParam);
}

}  // namespace quillmere::win32
