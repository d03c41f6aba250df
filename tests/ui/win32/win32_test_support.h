#pragma once
// Doubles and helpers for the tests of the Win32 windows, which run as real windows (under Wine
// on an X display): message boxes that the test answers, a shell and a browser that record
// what they were asked, a thread that answers the system's own message boxes, and a main
// window set up on a temporary folder.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "form1.h"
#include "temp_dir.h"

namespace quillmere::win32::testing {

// Handles every waiting message, as the program's loop would, for about `milliseconds`.
void pump(const TopLevelWindows& windows, DWORD milliseconds = 50);

// A control's rectangle in its window's client coordinates.
Rect placeOf(HWND control);
Rect clientOf(HWND window);
std::string textOf(HWND window);

struct ShownBox {
    std::string text;
    std::string title;  // empty for an information box, which takes the application title
    bool question = false;
    bool ownerVisible = false;  // whether the window that owns it was on screen yet
    bool waitCursor = false;    // the wait cursor was up when it opened
};

class RecordingBoxes : public MessageBoxes {
  public:
    void inform(HWND owner, const std::string& text) override;
    bool askYesNo(HWND owner, const std::string& text, const std::string& title) override;
    std::vector<std::string> texts() const;

    std::vector<ShownBox> shown;
    bool answerYes = false;
};

struct ShellCall {
    HWND owner = nullptr;
    std::string verb, file;
    bool parametersNull = false, directoryNull = false;
    int show = 0;
};

// The real web browser control, with every call and its result written down.
struct BrowserLog {
    int created = 0;
    RECT rect{};
    HRESULT createResult = E_PENDING;
    std::vector<std::string> navigated;
    std::vector<HRESULT> navigateResults;
    int closed = 0;
};
BrowserFactory recordingBrowserFactory(BrowserLog& log);

// Answers the system's message boxes of this process from a thread of its own: OK where there
// is only OK, otherwise the button given.
class BoxAnswerer {
  public:
    struct Seen {
        std::string title, text;
        bool hasYesNo = false;
        bool hasIcon = false;
        int defaultButton = 0;
        bool mainWindowVisible = false;
    };
    explicit BoxAnswerer(int answerForQuestions);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Stops the thread; what it saw is complete then.
    std::vector<Seen> stop();

  private:
    static DWORD WINAPI run(void* self);

    int answer_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    std::vector<Seen> seen_;
    CRITICAL_SECTION lock_;
};

struct Form1Harness {
    Form1Harness();
    std::string root() const { return dir.str(); }
    std::string package() const { return root() + "\\ati"; }
    // Points the start-up at the package folder, which may or may not exist.
    void makeFolder(const std::string& relative) const;
    std::unique_ptr<Form1> makeForm();

    quillmere::testing::TempDir dir;
    RecordingBoxes boxes;
    std::vector<ShellCall> shellCalls;
    BrowserLog browser;
    int lastClosed = 0;
    TopLevelWindows windows;
    Form1Setup setup;
};

}  // namespace quillmere::win32::testing
