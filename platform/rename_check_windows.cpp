#include "rename_check.h"

namespace quillmere::platform {

// Windows has no append-only or immutable marks: the read-only attribute and the access lists
// are what platform::checkReplaceable already asks about.
std::error_code checkRenamesAllowed(const std::filesystem::path& /*file*/) {
    return {};
}

}  // namespace quillmere::platform
