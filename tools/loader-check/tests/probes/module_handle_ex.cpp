// Calls a function that kernel32 exports from Windows XP on.
#include <windows.h>

int main() {
    HMODULE self = nullptr;
    return GetModuleHandleExW(0, nullptr, &self) ? 0 : 1;
}
