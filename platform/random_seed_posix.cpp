#include <atomic>
#include <chrono>
#include <random>

#include "platform.h"

namespace quillmere::platform {

std::uint64_t randomSeed() {
    // The counter and the clock keep two seeds of one process apart even if the device repeats.
    static std::atomic<std::uint64_t> counter{0};
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return ((std::uint64_t{device()} << 32) ^ device()) ^ (now * 0x9e3779b97f4a7c15ULL) ^
           counter.fetch_add(1);
}

}  // namespace quillmere::platform
