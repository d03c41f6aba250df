#include "package_boundary.h"

#include <algorithm>
#include <filesystem>

#include "file_replace.h"
#include "platform.h"

namespace quillmere {
namespace fs = std::filesystem;

bool leadsOutside(const std::string& folder, const std::string& file) {
    std::error_code ec;
    const fs::path root = platform::realPath(platform::toPath(folder), ec);
    if (ec) return false;
    const fs::path real = platform::realPath(platform::toPath(file), ec);
    if (ec) return false;
    // Whole names, one by one: "/pkg" must not hold "/pkg-other/install.ini".
    auto rootPart = root.begin();
    auto realPart = real.begin();
    for (; rootPart != root.end(); ++rootPart, ++realPart) {
        if (rootPart->empty()) continue;  // the empty last part of a path that ends in a separator
        if (realPart == real.end() || *rootPart != *realPart) return true;
    }
    return false;
}

}  // namespace quillmere
