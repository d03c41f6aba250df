#include "rename_check.h"

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

#ifdef __linux__
// The inode flags, read through an open descriptor; file systems without them answer ENOTTY.
bool forbidsRenames(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    int flags = 0;
    const bool known = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return known && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}
#else
bool forbidsRenames(const fs::path&) {
    return false;
}
#endif

}  // namespace

std::error_code checkRenamesAllowed(const fs::path& file) {
    fs::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    if (forbidsRenames(folder) || (fs::is_regular_file(file, ec) && forbidsRenames(file)))
        return std::make_error_code(std::errc::operation_not_permitted);
    return {};
}

}  // namespace quillmere::platform
