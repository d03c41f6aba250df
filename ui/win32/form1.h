#pragma once
// The main window: drive and folder lists, the three buttons, the logo and the banner behind
// them all, plus the hidden labels and lists (as window state) through which a run reports.
// It opens the help windows, which then live on their own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app.h"
#include "banner.h"
#include "control.h"
#include "drive_list.h"
#include "folder_list.h"
#include "help_windows.h"
#include "message_boxes.h"
#include "modding_run.h"
#include "shell_open.h"
#include "startup_folders.h"
#include "win32_host.h"

namespace quillmere::win32 {

// What the window takes from outside; tests replace parts of it.
struct Form1Setup {
    ui::common::StartupFolders folders = ui::common::windowsStartupFolders();
    std::vector<Drive> drives;  // the machine's drives
    std::string helpAddress;
    std::string authorMail;
    MessageBoxes* boxes = nullptr;  // null: the real message boxes
    ShellOpen shellOpen;            // empty: ShellExecuteA
    BrowserFactory makeBrowser;     // empty: the system's web browser control
    RunEnvironment run;
    std::uint32_t bannerSeed = 0;

    // This machine's drives, the built-in addresses and a banner seed from the clock.
    static Form1Setup forThisMachine();
};

class Form1 : public Window {
  public:
    Form1(Form1Setup setup, TopLevelWindows& windows);
    ~Form1() override;

    // Creates the window hidden, runs the load action, then shows it with the focus in Dir1.
    bool start();

    FolderList& dir1() { return dir1_; }
    DriveList& drive1() { return drive1_; }
    Button& command1() { return command1_; }
    Button& command2() { return command2_; }
    Button& cmGO() { return cmGO_; }
    Picture& picture1() { return picture1_; }
    Banner& banner() { return banner_; }
    Win32Host& host() { return *host_; }
    HelpWindows& helpWindows() { return helpWindows_; }
    // The control of that name in the shared layout, or null (the hidden ones are no controls).
    HWND controlNamed(std::string_view name);
    // What holds the focus at that stop of the Tab order: the control, or for the hidden List1
    // the window itself, so that no control shows the focus.
    HWND tabStop(std::string_view name);

    bool translateDialogKey(const MSG& msg) override;

  protected:
    void onDestroy() override;
    bool onSetCursor(HWND over) override;
    HBRUSH onControlColour(HDC dc, HWND control) override;

  private:
    bool build();
    void load();
    void startModding();
    void contactAuthor();

    Form1Setup setup_;
    TopLevelWindows& windows_;
    Scale scale_;
    MessageBoxes realBoxes_;
    GdiObject<HFONT> font_;
    GdiObject<HBRUSH> stage_;
    GdiObject<HBITMAP> logo_;
    Banner banner_;
    FolderList dir1_;
    DriveList drive1_;
    Button command1_;
    Button command2_;
    Button cmGO_;
    Picture picture1_;
    std::unique_ptr<Win32Host> host_;
    HelpWindows helpWindows_;
    bool running_ = false;
};

}  // namespace quillmere::win32
