// Prints the ANSI and OEM code pages that Windows (or Wine, from LANG) gives this process, so
// that the Unicode path tests can tell that they really run under the code page they meant.

#include <windows.h>

#include <cstdio>

int main() {
    std::printf("%u %u\n", ::GetACP(), ::GetOEMCP());
    return 0;
}
