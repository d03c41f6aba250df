#include "win32_test_support.h"

#include <filesystem>

#include "wide_text.h"

namespace quillmere::win32::testing {

void pump(const TopLevelWindows& windows, DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // the program would end; the test goes on
            handleMessage(windows, msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

Rect placeOf(HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect clientOf(HWND window) {
    RECT r;
    ::GetClientRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string textOf(HWND window) {
    wchar_t text[1024] = L"";
    ::GetWindowTextW(window, text, 1024);
    return platform::utf8Text(text);
}

void RecordingBoxes::inform(HWND owner, const std::string& text) {
    shown.push_back({text, "", false, owner && ::IsWindowVisible(owner) != 0,
                     ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT)});
}

bool RecordingBoxes::askYesNo(HWND owner, const std::string& text, const std::string& title) {
    shown.push_back({text, title, true, owner && ::IsWindowVisible(owner) != 0,
                     ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT)});
    return answerYes;
}

std::vector<std::string> RecordingBoxes::texts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : shown) texts.push_back(box.text);
    return texts;
}

namespace {

class RecordingBrowser : public Browser {
  public:
    explicit RecordingBrowser(BrowserLog& log) : log_(log), real_(makeWebBrowserControl()) {}

    HRESULT create(HWND parent, const RECT& rect) override {
        ++log_.created;
        log_.rect = rect;
        log_.createResult = real_->create(parent, rect);
        return log_.createResult;
    }
    HRESULT navigate(const std::string& address) override {
        log_.navigated.push_back(address);
        log_.navigateResults.push_back(real_->navigate(address));
        return log_.navigateResults.back();
    }
    void close() override {
        ++log_.closed;
        real_->close();
    }

  private:
    BrowserLog& log_;
    std::unique_ptr<Browser> real_;
};

// The message box of this process that is open now, if any.
struct FindBox {
    HWND found = nullptr;
    static BOOL CALLBACK visit(HWND window, LPARAM self) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        char name[32] = "";
        ::GetClassNameA(window, name, sizeof name);
        if (process == ::GetCurrentProcessId() && std::string(name) == "#32770" &&
            ::IsWindowVisible(window)) {
            reinterpret_cast<FindBox*>(self)->found = window;
            return FALSE;
        }
        return TRUE;
    }
};

}  // namespace

BrowserFactory recordingBrowserFactory(BrowserLog& log) {
    return [&log] { return std::make_unique<RecordingBrowser>(log); };
}

BoxAnswerer::BoxAnswerer(int answerForQuestions) : answer_(answerForQuestions) {
    ::InitializeCriticalSection(&lock_);
    thread_ = ::CreateThread(nullptr, 0, &BoxAnswerer::run, this, 0, nullptr);
}

BoxAnswerer::~BoxAnswerer() {
    stop();
    ::DeleteCriticalSection(&lock_);
}

std::vector<BoxAnswerer::Seen> BoxAnswerer::stop() {
    if (thread_) {
        ::InterlockedExchange(&stop_, 1);
        ::WaitForSingleObject(thread_, 10000);
        ::CloseHandle(thread_);
        thread_ = nullptr;
    }
    ::EnterCriticalSection(&lock_);
    std::vector<Seen> seen = seen_;
    ::LeaveCriticalSection(&lock_);
    return seen;
}

DWORD WINAPI BoxAnswerer::run(void* param) {
    auto* self = static_cast<BoxAnswerer*>(param);
    while (!self->stop_) {
        FindBox find;
        ::EnumWindows(&FindBox::visit, reinterpret_cast<LPARAM>(&find));
        if (!find.found) {
            ::Sleep(20);
            continue;
        }
        HWND box = find.found;
        ::Sleep(50);  // let it finish laying itself out
        Seen seen;
        seen.title = textOf(box);
        // The text of a system message box is its static control 0xFFFF.
        wchar_t text[1024] = L"";
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
        seen.text = platform::utf8Text(text);
        seen.hasYesNo = ::GetDlgItem(box, IDYES) && ::GetDlgItem(box, IDNO);
        HWND icon = ::FindWindowExA(box, nullptr, "Static", nullptr);
        for (; icon; icon = ::FindWindowExA(box, icon, "Static", nullptr)) {
            if ((::GetWindowLongA(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                ::SendMessageA(icon, STM_GETICON, 0, 0) != 0) {
                seen.hasIcon = true;
            }
        }
        // The default button is the one drawn as the default.
        for (int id : {IDOK, IDYES, IDNO}) {
            HWND button = ::GetDlgItem(box, id);
            if (button && (::GetWindowLongA(button, GWL_STYLE) & BS_DEFPUSHBUTTON)) seen.defaultButton = id;
        }
        HWND main = ::FindWindowA("QuillmereForm1", nullptr);
        seen.mainWindowVisible = main && ::IsWindowVisible(main);
        ::EnterCriticalSection(&self->lock_);
        self->seen_.push_back(seen);
        ::LeaveCriticalSection(&self->lock_);
        ::PostMessageA(box, WM_COMMAND, seen.hasYesNo ? self->answer_ : IDOK, 0);
        for (int i = 0; i < 200 && ::IsWindow(box); ++i) ::Sleep(10);
    }
    return 0;
}

Form1Harness::Form1Harness() : windows([this] { ++lastClosed; }) {
    setup.folders = {"C:\\", package() + "\\", package(), root()};
    setup.drives = {{"C:\\", "c: [SYSTEM]"}, {"Z:\\", "z:"}};
    setup.helpAddress = "www.example.org/Quillmere/Help.html";
    setup.authorMail = "author@example.org";
    setup.boxes = &boxes;
    setup.shellOpen = [this](HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                             INT show) {
        shellCalls.push_back(
            {owner, verb ? verb : "", file ? file : "", parameters == nullptr, directory == nullptr, show});
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(2));  // "file not found": no mail program
    };
    setup.makeBrowser = recordingBrowserFactory(browser);
    setup.bannerSeed = 7;
}

void Form1Harness::makeFolder(const std::string& relative) const {
    std::filesystem::create_directories(dir.path() / relative);
}

std::unique_ptr<Form1> Form1Harness::makeForm() {
    return std::make_unique<Form1>(setup, windows);
}

}  // namespace quillmere::win32::testing
