#pragma once
// The main window: drive and folder lists, the three buttons, the logo and the banner, plus the
// hidden labels and lists (as window state, in its host) through which a modding run reports. It
// opens the help windows, which then live on their own.

#include <QLabel>
#include <QPushButton>
#include <functional>
#include <memory>
#include <vector>

#include "banner_widget.h"
#include "desktop_links.h"
#include "drive_list.h"
#include "drives.h"
#include "folder_list.h"
#include "help_windows.h"
#include "message_boxes.h"
#include "modding_run.h"
#include "window_host.h"

namespace quillmere::ui {

// What the window takes from outside; tests replace parts of it.
struct Form1Setup {
    common::StartupFolders folders;
    std::vector<Drive> drives;                          // listed at start
    std::function<std::vector<Drive>()> refreshDrives;  // empty: the list keeps `drives`
    Links links = builtInLinks();
    MessageBoxes* boxes = nullptr;  // null: the real message boxes
    UrlOpener openUrl;              // empty: the desktop
    std::function<void()> quit;     // empty: leave the application's event loop
    RunEnvironment run;
    WebHelpNavigate navigateWebHelp;  // empty: the browser loads the page
    quint32 bannerSeed = 0;

    // This machine's drives, looked up when the user comes to the drive list (at start only the
    // system drive, which the list shows), with the usual package folder in the user's home.
    static Form1Setup forThisMachine();
};

class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(Form1Setup setup = Form1Setup::forThisMachine(), QWidget* parent = nullptr);
    ~Form1() override;

    // The load action, then the window is shown with the focus in the folder list.
    void start();

    FolderList* dir1() const { return dir1_; }
    DriveList* drive1() const { return drive1_; }
    WindowHost& host() { return *host_; }
    HelpWindows& helpWindows() { return helpWindows_; }

  protected:
    // Tab follows the shared order, which has a stop on the hidden List1: while the focus rests
    // there, the window itself holds it and no control shows it.
    bool focusNextPrevChild(bool next) override;

  private:
    void buildControls();
    void load();
    void startModding();
    void contactAuthor();

    Form1Setup setup_;
    MessageBoxes realBoxes_;
    BannerWidget* banner_ = nullptr;
    FolderList* dir1_ = nullptr;
    DriveList* drive1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* cmGO_ = nullptr;
    QLabel* picture1_ = nullptr;
    std::unique_ptr<WindowHost> host_;
    HelpWindows helpWindows_;
};

}  // namespace quillmere::ui
