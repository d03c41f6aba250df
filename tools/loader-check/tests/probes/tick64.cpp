// Calls a function that kernel32 exports from Vista on.
#include <windows.h>

int main() {
    return GetTickCount64() == 0 ? 1 : 0;
}
