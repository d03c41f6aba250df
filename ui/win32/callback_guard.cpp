#include "callback_guard.h"

#include "texts.h"
#include "wide_text.h"

namespace quillmere::win32 {
namespace {

// The exit code of a program ended by an error that reached a callback.
constexpr int kCallbackFailureExit = 3;

void showAndEnd(const std::string& what) {
    const std::wstring title = platform::wideText(std::string(ui::common::kApplicationTitle));
    ::MessageBoxW(nullptr, platform::wideText(what).c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
    // The message loop ends and the windows are destroyed on the way out of WinMain.
    ::PostQuitMessage(kCallbackFailureExit);
}

CallbackFailureHandler& handler() {
    static CallbackFailureHandler current = &showAndEnd;
    return current;
}

std::string describeCurrentException() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

CallbackFailureHandler replaceCallbackFailureHandler(CallbackFailureHandler replacement) {
    CallbackFailureHandler before = std::move(handler());
    handler() = replacement ? std::move(replacement) : CallbackFailureHandler(&showAndEnd);
    return before;
}

void reportCallbackFailure() noexcept {
    try {
        const std::string what = describeCurrentException();
        handler()(what);
    } catch (...) {
        // The handler itself failed (out of memory): ending the program is all that is left.
        ::PostQuitMessage(kCallbackFailureExit);
    }
}

}  // namespace quillmere::win32
