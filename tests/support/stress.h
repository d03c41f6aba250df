#pragma once
// How hard the stress tests push. They run in full by default; QUILLMERE_LIGHT_STRESS=1 asks for
// a lighter load, for the runs that are many times slower (sanitizers, Wine) and check the same
// code that the full native run has already pushed hard.

#include <cstdlib>
#include <string_view>

namespace quillmere::testing {

inline bool lightStress() {
    const char* value = std::getenv("QUILLMERE_LIGHT_STRESS");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

// `full` normally, `light` when a lighter load is asked for.
inline int stressCount(int full, int light) { return lightStress() ? light : full; }

}  // namespace quillmere::testing
