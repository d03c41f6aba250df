#pragma once
// Where the banner takes its chance from: a function that returns a whole number in [lo, hi].
// Tests script it; the windows use a seeded engine that gives the same numbers on every system.

#include <cstdint>
#include <functional>

namespace quillmere::ui::common {

using RandomSource = std::function<int(int lo, int hi)>;

// A Mersenne Twister seeded with `seed`, drawn from without bias. std::uniform_int_distribution
// is not used because its numbers differ between standard libraries.
RandomSource seededRandomSource(std::uint32_t seed);

}  // namespace quillmere::ui::common
