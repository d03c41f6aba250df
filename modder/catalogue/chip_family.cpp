#include "chip_family.h"

namespace quillmere {

namespace {

constexpr bool enumeratorsFollowFamilyOrder() {
    for (std::size_t i = 0; i < kChipFamilies.size(); ++i) {
        if (familyIndex(kChipFamilies[i]) != i) return false;
    }
    return true;
}
static_assert(enumeratorsFollowFamilyOrder(), "familyIndex is a column in every per-family table");

}  // namespace

std::string familyStem(ChipFamily family) {
    std::string stem = "ati2mtag_";
    stem += familyName(family);
    return stem;
}

}  // namespace quillmere
