// The window's one function of a newer Windows, SetProcessDPIAware (Vista on), is looked up at
// run time; without it the program goes on unscaled, as it must on Windows 2000 and XP.

#include <gtest/gtest.h>

#include <cstring>

#include "app.h"
#include "system_function.h"

using namespace quillmere;

namespace {

int dpiAwareCalls = 0;
BOOL WINAPI countingSetProcessDpiAware() {
    ++dpiAwareCalls;
    return TRUE;
}

void* nothingFound(const char*, const char*) {
    return nullptr;
}
void* countingUser32(const char* dll, const char* name) {
    return std::strcmp(dll, "user32.dll") == 0 && std::strcmp(name, "SetProcessDPIAware") == 0
               ? reinterpret_cast<void*>(&countingSetProcessDpiAware)
               : nullptr;
}

}  // namespace

TEST(Win32OlderWindows, WithoutSetProcessDpiAwareNothingIsCalledAndTheProgramGoesOn) {
    dpiAwareCalls = 0;
    const auto before = platform::replaceSystemFunctionLookup(&nothingFound);
    EXPECT_FALSE(win32::becomeDpiAware());
    platform::replaceSystemFunctionLookup(&countingUser32);
    EXPECT_TRUE(win32::becomeDpiAware());
    platform::replaceSystemFunctionLookup(before);
    EXPECT_EQ(dpiAwareCalls, 1);
}
