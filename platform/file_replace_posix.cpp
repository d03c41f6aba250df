#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "file_replace.h"

#ifdef __linux__
#include <sys/xattr.h>
#endif

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

std::error_code errnoCode() {
    return {errno, std::generic_category()};
}

fs::path folderOf(const fs::path& file) {
    const auto parent = file.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// A rename is on the disk only once its folder is: without this, a crash right after "Modding
// complete" can bring back the old file.
std::error_code flushFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errnoCode();
    std::error_code ec;
    // Some file systems cannot flush a folder at all; their renames are as durable as they get.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) ec = errnoCode();
    ::close(fd);
    return ec;
}

#ifdef __linux__
// Every extended attribute of `original` onto the open copy: user attributes, SELinux labels
// and the POSIX ACLs (system.posix_acl_access). Attributes that this file system or this user
// may not set are left out, as a copy by cp -a would.
std::error_code copyExtendedAttributes(const fs::path& original, int fd) {
    ssize_t size = ::listxattr(original.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP ? std::error_code() : errnoCode();
    std::vector<char> names(static_cast<std::size_t>(size) + 1);
    size = ::listxattr(original.c_str(), names.data(), names.size());
    if (size < 0) return errnoCode();
    std::vector<char> value;
    for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
        const char* name = names.data() + at;
        at += std::char_traits<char>::length(name) + 1;
        ssize_t length = ::getxattr(original.c_str(), name, nullptr, 0);
        if (length < 0) continue;  // gone since the listing
        value.resize(static_cast<std::size_t>(length));
        length = ::getxattr(original.c_str(), name, value.data(), value.size());
        if (length < 0) continue;
        if (::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(length), 0) != 0 && errno != EPERM &&
            errno != ENOTSUP && errno != EACCES)
            return errnoCode();
    }
    return {};
}
#else
std::error_code copyExtendedAttributes(const fs::path&, int) {
    return {};
}
#endif

}  // namespace

std::FILE* createExclusive(const fs::path& file, std::error_code& ec) {
    // O_EXCL with O_NOFOLLOW: a link planted at the name is never followed, whatever it points at.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        ec = errnoCode();
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "wb");
    if (!stream) {
        ec = errnoCode();
        ::close(fd);
        ::unlink(file.c_str());
        return nullptr;
    }
    ec.clear();
    return stream;
}

std::error_code copyFileAttributes(const fs::path& original, const fs::path& /*copyPath*/, std::FILE* copy) {
    struct stat st {};
    if (::stat(original.c_str(), &st) != 0) return errnoCode();
    const int fd = ::fileno(copy);
    // Owner first: a change of owner clears the set-user-ID and set-group-ID bits that the mode
    // then sets. Only a privileged run may give the file away; others keep the file as theirs.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 && errno != EPERM) return errnoCode();
    if (::fchmod(fd, st.st_mode & 07777) != 0) return errnoCode();
    return copyExtendedAttributes(original, fd);
}

std::error_code linkFile(const fs::path& file, const fs::path& second) {
    if (::link(file.c_str(), second.c_str()) != 0) return errnoCode();
    return {};
}

std::error_code replaceFile(const fs::path& from, const fs::path& to) {
    return moveOver(from, to);
}

std::error_code moveOver(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return errnoCode();
    return flushFolder(folderOf(to));
}

fs::path realPath(const fs::path& path, std::error_code& ec) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) {
        ec = errnoCode();
        return {};
    }
    ec.clear();
    return fs::path(resolved.get());
}

}  // namespace quillmere::platform
