#pragma once
// The eight mobile chip families and the section-name stem each one lends its sections.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillmere {

enum class ChipFamily { M6, M7, M9, M9plus, M10, M10plus, RS200M, U1 };

// Every per-family table, and every run of section writes, follows this order.
inline constexpr std::array<ChipFamily, 8> kChipFamilies = {
    ChipFamily::M6,  ChipFamily::M7,      ChipFamily::M9,     ChipFamily::M9plus,
    ChipFamily::M10, ChipFamily::M10plus, ChipFamily::RS200M, ChipFamily::U1,
};

// Position of the family in kChipFamilies: the column of the family in per-family tables.
constexpr std::size_t familyIndex(ChipFamily family) {
    return static_cast<std::size_t>(family);
}

constexpr std::string_view familyName(ChipFamily family) {
    constexpr std::array<std::string_view, 8> names = {"M6",  "M7",      "M9",     "M9plus",
                                                       "M10", "M10plus", "RS200M", "U1"};
    return names[familyIndex(family)];
}

// "ati2mtag_" + name: the install section's name and the start of the family's other sections.
std::string familyStem(ChipFamily family);

}  // namespace quillmere
