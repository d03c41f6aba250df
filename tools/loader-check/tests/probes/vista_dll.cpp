// Uses bcrypt.dll, which Windows ships from Vista on.
#include <windows.h>
// bcrypt.h needs windows.h first.
#include <bcrypt.h>

int main() {
    UCHAR byte = 0;
    return BCryptGenRandom(nullptr, &byte, 1, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0 ? 0 : 1;
}
