#include "platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Needs the types of <windows.h>: kept in a block of its own so that sorting cannot move it.
#include <wincrypt.h>

#include <atomic>

namespace quillmere::platform {
namespace {

// splitmix64's finaliser: spreads every input bit over the whole result.
std::uint64_t mixed(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

std::uint64_t randomSeed() {
    // The time, the process and a counter alone already keep two seeds apart; CryptGenRandom
    // (advapi32 since Windows 95) adds chance on top where it answers. std::random_device is not
    // used: mingw-w64's looks up rand_s, which Windows 2000 lacks, and then throws.
    static std::atomic<std::uint64_t> counter{0};
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    std::uint64_t seed = mixed(static_cast<std::uint64_t>(now.QuadPart) ^
                               (static_cast<std::uint64_t>(::GetCurrentProcessId()) << 32) ^
                               mixed(counter.fetch_add(1) + ::GetTickCount()));
    // Acquired once and kept: acquiring costs far more than drawing.
    static const HCRYPTPROV provider = [] {
        HCRYPTPROV acquired = 0;
        return ::CryptAcquireContextW(&acquired, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)
                   ? acquired
                   : HCRYPTPROV{0};
    }();
    std::uint64_t chance = 0;
    if (provider && ::CryptGenRandom(provider, sizeof chance, reinterpret_cast<BYTE*>(&chance)))
        seed ^= chance;
    return seed;
}

}  // namespace quillmere::platform
