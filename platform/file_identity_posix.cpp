#include <sys/stat.h>

#include <cerrno>

#include "file_identity.h"

namespace quillmere::platform {

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path, std::error_code& ec) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        ec = {errno, std::generic_category()};
        return std::nullopt;
    }
    ec.clear();
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace quillmere::platform
