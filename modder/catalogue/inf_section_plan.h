#pragma once
// The 41 sections written into each INF file, with their contents, in write order.

#include <string>
#include <vector>

namespace quillmere {

struct InfSection {
    std::string name;
    std::string content;
};

// [ATI.Mfg] first, then per kind of section the eight families in family order: install,
// services, software settings, device settings, general configuration.
std::vector<InfSection> buildInfSections();

}  // namespace quillmere
