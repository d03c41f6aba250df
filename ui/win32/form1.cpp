#include "form1.h"

#include "colours.h"
#include "focus.h"
#include "layout.h"
#include "links.h"
#include "package_scanner.h"
#include "resources.h"
#include "shared_layout.h"
#include "texts.h"

namespace quillmere::win32 {
namespace {

namespace common = ui::common;

Rect place(std::string_view name, const Scale& scale) {
    return win32::place(common::form1Control(name).twips, scale);
}

std::string textOf(std::string_view name) {
    return std::string(common::form1Control(name).text);
}

// Control ids, so that the dialog keys of the message loop can tell the controls apart.
enum : int { kDir1 = 100, kDrive1, kCommand1, kCommand2, kCmGO, kPicture1, kBanner };

// Holds the wait cursor for as long as a run holds the thread.
class WaitCursor {
  public:
    explicit WaitCursor(bool& running)
        : running_(running), previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {
        running_ = true;
    }
    ~WaitCursor() {
        running_ = false;
        ::SetCursor(previous_);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    bool& running_;
    HCURSOR previous_;
};

}  // namespace

Form1Setup Form1Setup::forThisMachine() {
    Form1Setup setup;
    setup.drives = listDrives();
    setup.helpAddress = std::string(common::builtInHelpAddress());
    setup.authorMail = std::string(common::builtInAuthorMail());
    setup.bannerSeed = ::GetTickCount() ^ ::GetCurrentProcessId();
    return setup;
}

Form1::Form1(Form1Setup setup, TopLevelWindows& windows)
    : setup_(std::move(setup)),
      windows_(windows),
      scale_(Scale::ofSystem()),
      banner_(
          common::helpPageUrl(setup_.helpAddress),
          [this](HWND owner, const std::string& url) {
              setup_.shellOpen(owner, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
          },
          setup_.bannerSeed),
      helpWindows_(setup_.helpAddress, setup_.makeBrowser, windows, scale_) {
    if (!setup_.shellOpen) setup_.shellOpen = systemShellOpen();
    MessageBoxes& boxes = setup_.boxes ? *setup_.boxes : realBoxes_;
    host_ =
        std::make_unique<Win32Host>([this] { return hwnd(); }, dir1_, boxes, [this] { windows_.closeAll(); });
}

Form1::~Form1() {
    // Here, while this is still a Form1: the base class's destructor would not reach onDestroy.
    destroy();
}

bool Form1::start() {
    if (!build()) return false;
    load();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::UpdateWindow(hwnd());
    if (HWND first = controlNamed(common::kForm1FirstFocus)) ::SetFocus(first);
    return true;
}

bool Form1::build() {
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    stage_.reset(::CreateSolidBrush(colourOf(common::kStageSlateBlue)));
    font_.reset(createFont(common::kWindowFont, scale_));
    logo_.reset(static_cast<HBITMAP>(
        ::LoadImageW(module, MAKEINTRESOURCEW(QUILLMERE_IDB_LOGO), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

    CreateInfo info;
    info.className = "QuillmereForm1";
    info.caption = std::string(common::kForm1.caption);
    const FrameStyle frame = frameStyleOf(common::kForm1);
    info.style = frame.style | WS_CLIPCHILDREN;
    info.exStyle = frame.exStyle;
    info.rect = clientArea(common::kForm1, scale_);
    info.icon = programIcon(module);
    info.background = stage_.get();
    if (!Window::create(info)) return false;
    windows_.opened(*this);

    const COLORREF yellow = colourOf(common::kLightYellow);
    // Created in the order Tab visits them, the banner last so that it lies beneath them all.
    dir1_.create(hwnd(), place("Dir1", scale_), kDir1, scale_, yellow);
    drive1_.create(hwnd(), place("Drive1", scale_), kDrive1, scale_, yellow, setup_.drives);
    drive1_.onChanged([this](const std::string& root) { dir1_.setPath(root); });
    command1_.create(hwnd(), textOf("Command1"), place("Command1", scale_), kCommand1);
    command1_.onClick([this] { contactAuthor(); });
    command2_.create(hwnd(), textOf("Command2"), place("Command2", scale_), kCommand2);
    command2_.onClick([this] { helpWindows_.showHelp(); });
    cmGO_.create(hwnd(), textOf("cmGO"), place("cmGO", scale_), kCmGO);
    cmGO_.onClick([this] { startModding(); });
    picture1_.create(hwnd(), logo_.get(), place("Picture1", scale_), kPicture1);
    banner_.create(hwnd(), place("ShockwaveFlash1", scale_), kBanner);
    ::SetWindowPos(banner_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (Control* c : std::initializer_list<Control*>{&dir1_, &drive1_, &command1_, &command2_, &cmGO_}) {
        c->setFont(font_.get());
    }
    return true;
}

void Form1::load() {
    drive1_.setDrive(setup_.folders.systemDrive);
    if (folderExists(setup_.folders.packageFolder)) {
        dir1_.setPath(setup_.folders.packageOpen);
    } else {
        host_->showMessage(std::string(common::kNoPackageFolderMessage));  // the window is not shown yet
        dir1_.setPath(setup_.folders.fallbackFolder);
    }
}

HWND Form1::controlNamed(std::string_view name) {
    if (name == "Dir1") return dir1_.hwnd();
    if (name == "Drive1") return drive1_.hwnd();
    if (name == "Command1") return command1_.hwnd();
    if (name == "Command2") return command2_.hwnd();
    if (name == "cmGO") return cmGO_.hwnd();
    if (name == "Picture1") return picture1_.hwnd();
    if (name == "ShockwaveFlash1") return banner_.hwnd();
    return nullptr;
}

HWND Form1::tabStop(std::string_view name) {
    return name == "List1" ? hwnd() : controlNamed(name);
}

bool Form1::translateDialogKey(const MSG& msg) {
    // Tab follows the order of the layout, not the stacking order: the banner must lie beneath
    // every control and still come after the hidden List1.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    HWND focus = ::GetFocus();
    std::string_view current;
    for (std::string_view name : common::kForm1TabOrder) {
        HWND stop = tabStop(name);
        if (stop && (stop == focus || (name != "List1" && ::IsChild(stop, focus)))) current = name;
    }
    const bool forward = ::GetKeyState(VK_SHIFT) >= 0;
    if (HWND next = tabStop(common::nextTabStop(current, forward))) ::SetFocus(next);
    return true;
}

void Form1::onDestroy() {
    windows_.closed(*this);
}

bool Form1::onSetCursor(HWND /*over*/) {
    if (!running_) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

HBRUSH Form1::onControlColour(HDC dc, HWND /*control*/) {
    // Buttons and the picture sit on the banner: what shows around them is its slate blue.
    ::SetBkColor(dc, colourOf(common::kStageSlateBlue));
    return stage_.get();
}

void Form1::startModding() {
    WaitCursor wait(running_);
    runModdingInWindow(*host_, setup_.run);
}

void Form1::contactAuthor() {
    // Whether a mail program took the link is not looked at: without one nothing happens.
    const std::string link = common::mailtoLink(setup_.authorMail);
    setup_.shellOpen(hwnd(), "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quillmere::win32
