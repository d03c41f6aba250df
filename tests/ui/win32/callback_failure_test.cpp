// An exception thrown where Windows called the program (here: a button's action, reached from
// the window procedure through SendMessage) must not travel back through the system's frames:
// the 32-bit build cannot unwind through them and would end on the spot. It is handed to the
// program's failure handler instead, whose default names the error in a box and ends the
// program. These tests run in the 32-bit guest too, where a leak would kill the test program.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "callback_guard.h"
#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;

namespace {

// Records what reached the handler for as long as it lives.
class RecordedFailures {
  public:
    RecordedFailures()
        : before_(replaceCallbackFailureHandler([this](const std::string& what) { seen.push_back(what); })) {}
    ~RecordedFailures() { replaceCallbackFailureHandler(std::move(before_)); }
    RecordedFailures(const RecordedFailures&) = delete;
    RecordedFailures& operator=(const RecordedFailures&) = delete;

    std::vector<std::string> seen;

  private:
    CallbackFailureHandler before_;
};

}  // namespace

TEST(Win32CallbackFailure, AnErrorThrownInsideAWindowProcedureReachesTheHandlerNotWindows) {
    Form1Harness harness;
    harness.makeFolder("ati");
    harness.setup.shellOpen = [](HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) -> HINSTANCE {
        throw std::runtime_error("the shell went away");
    };
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    RecordedFailures failures;

    // "Contact me": BM_CLICK makes the button send WM_COMMAND to the main window's procedure,
    // whose handler throws. Without the guard the exception would leave through user32.
    const LRESULT result = ::SendMessageW(form->command1().hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(failures.seen, (std::vector<std::string>{"the shell went away"}));
    // The window goes on handling messages.
    EXPECT_TRUE(form->exists());
    ::SendMessageW(form->command1().hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(failures.seen.size(), 2u);
}

TEST(Win32CallbackFailure, ComMethodsAnswerWithAnErrorCodeAndReportWhatWasThrown) {
    RecordedFailures failures;
    EXPECT_EQ(guardedCom([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(guardedCom([]() -> HRESULT { throw std::logic_error("site broken"); }), E_UNEXPECTED);
    EXPECT_EQ(guardedCom([]() -> HRESULT { throw 42; }), E_UNEXPECTED);
    EXPECT_EQ(guardedCom([] { return S_FALSE; }), S_FALSE);
    ASSERT_EQ(failures.seen.size(), 3u);
    EXPECT_EQ(failures.seen[1], "site broken");
    EXPECT_EQ(failures.seen[2], "Unknown error");
}

TEST(Win32CallbackFailure, ByDefaultABoxNamesTheErrorAndTheProgramEnds) {
    BoxAnswerer answerer(IDOK);
    const LRESULT result =
        guarded(LRESULT{-1}, []() -> LRESULT { throw std::runtime_error("Cannot list the folder Z:\\x"); });
    const auto seen = answerer.stop();
    EXPECT_EQ(result, -1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Quillmere Mod Tool");
    EXPECT_EQ(seen[0].text, "Cannot list the folder Z:\\x");
    // The message loop would end now, with the program's failure code.
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}
