#include "random_source.h"

#include <memory>
#include <random>
#include <stdexcept>

namespace quillmere::ui::common {

RandomSource seededRandomSource(std::uint32_t seed) {
    // Shared so that copies of the source draw from one sequence.
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](int lo, int hi) {
        if (hi < lo) throw std::invalid_argument("empty range");
        const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
        // Draw again above the last whole multiple of the span, so each value is equally likely.
        constexpr std::uint64_t kOutcomes = std::uint64_t{1} << 32;
        const std::uint64_t limit = kOutcomes - kOutcomes % span;
        std::uint64_t draw = (*engine)();
        while (draw >= limit) draw = (*engine)();
        return static_cast<int>(lo + static_cast<std::int64_t>(draw % span));
    };
}

}  // namespace quillmere::ui::common
