#include "path_status.h"

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

bool notThere(const std::error_code& ec) {
    return ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory;
}

}  // namespace

PathStatus pathStatus(const fs::path& path, std::error_code& ec) {
    PathStatus status;
    const fs::file_status own = fs::symlink_status(path, ec);
    if (ec || !fs::exists(own)) {
        if (notThere(ec)) ec.clear();
        return status;
    }
    status.link = fs::is_symlink(own);
    // As std::filesystem::exists sees it: a link that leads nowhere is not there.
    const fs::file_status followed = status.link ? fs::status(path, ec) : own;
    if (ec) {
        if (notThere(ec)) ec.clear();
        return status;
    }
    status.exists = fs::exists(followed);
    status.directory = fs::is_directory(followed);
    status.regularFile = fs::is_regular_file(followed);
    return status;
}

bool removeFile(const fs::path& file, std::error_code& ec) {
    if (fs::is_directory(fs::symlink_status(file, ec))) {
        ec = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    ec.clear();
    return fs::remove(file, ec);
}

}  // namespace quillmere::platform
