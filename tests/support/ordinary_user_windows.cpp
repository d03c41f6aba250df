#include "ordinary_user.h"

namespace quillmere::testing {

// Windows has no root whose rights make permission bits mean nothing, and no user to switch to.
bool runningAsRoot() {
    return false;
}

std::optional<std::string> asOrdinaryUser(const std::function<std::string()>& /*piece*/) {
    return std::nullopt;
}

}  // namespace quillmere::testing
