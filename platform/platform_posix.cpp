#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "path_status.h"
#include "platform.h"

extern char** environ;

namespace quillmere::platform {

char pathSeparator() {
    return '/';
}

bool hasFolderPart(std::string_view name) {
    return name.find('/') != std::string_view::npos;
}

std::filesystem::path toPath(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string fromPath(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path plainPath(const std::filesystem::path& path) {
    return path;
}

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::unique_ptr<std::streambuf> consoleBuffer(std::FILE* /*stream*/) {
    // A terminal here takes the bytes as they are.
    return nullptr;
}

std::string shortNameOf(const std::filesystem::path& file) {
    // POSIX file systems keep no 8.3 aliases: the name stands for itself.
    return file.filename().native();
}

bool isLink(const std::filesystem::path& entry) {
    std::error_code ec;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(entry, ec));
}

std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {errno, std::generic_category()};
    const int fd = ::dirfd(dir);
    // What a name is, following links; relative to the open folder, so the kernel does not walk
    // the whole path again for every file.
    const auto classify = [fd](const char* name, int flags, FolderEntry& entry) {
        struct stat st {};
        if (::fstatat(fd, name, &st, flags) != 0) return false;  // vanished since the listing
        if (S_ISREG(st.st_mode)) {
            entry.kind = FolderEntry::Kind::File;
            entry.size = static_cast<std::uint64_t>(st.st_size);
        } else if (S_ISDIR(st.st_mode)) {
            entry.kind = FolderEntry::Kind::Folder;
        }
        return S_ISLNK(st.st_mode);
    };
    std::error_code ec;
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir);
        if (!d) {
            if (errno != 0) ec = {errno, std::generic_category()};
            break;
        }
        const std::string_view name = d->d_name;
        if (name == "." || name == "..") continue;
        FolderEntry entry{std::string(name), std::string(name), FolderEntry::Kind::Other, 0};
        switch (d->d_type) {
            case DT_DIR: entry.kind = FolderEntry::Kind::Folder; break;
            case DT_REG: classify(d->d_name, 0, entry); break;
            case DT_LNK: {
                // Only a link to a file counts; a link to a folder stays Other.
                FolderEntry target;
                classify(d->d_name, 0, target);
                if (target.kind == FolderEntry::Kind::File) entry = {entry.name, entry.shortName, target.kind, target.size};
                break;
            }
            case DT_UNKNOWN:  // file systems that keep no type in their folders
                if (classify(d->d_name, AT_SYMLINK_NOFOLLOW, entry)) {
                    FolderEntry target;
                    classify(d->d_name, 0, target);
                    if (target.kind == FolderEntry::Kind::File) entry = {entry.name, entry.shortName, target.kind, target.size};
                }
                break;
            default: break;  // devices, pipes, sockets
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    return ec;
}

std::filesystem::path defaultProfileDirectory() {
    std::error_code ec;
    auto dir = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : dir;
}

void startProgram(const std::string& path) {
    // A bare name is never looked up anywhere: only the file at the path itself is started.
    if (!hasFolderPart(path))
        throw std::system_error(ENOENT, std::generic_category(), "Cannot start " + path);
    // A child in a session of its own: the tool does not wait for the installer, and the
    // installer goes on when the tool ends right after starting it.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        throw std::system_error(errno, std::generic_category(), "Cannot start " + path);
    }
    if (S_ISDIR(st.st_mode) || ::access(path.c_str(), X_OK) != 0) {
        throw std::system_error(EACCES, std::generic_category(), "Cannot start " + path);
    }
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, path.c_str(), nullptr, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) {
        throw std::system_error(rc, std::generic_category(), "Cannot start " + path);
    }
}

std::FILE* openFile(const std::filesystem::path& file, const char* mode) {
    return std::fopen(file.c_str(), mode);
}

std::error_code flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0 || ::fsync(::fileno(file)) != 0) {
        return {errno, std::generic_category()};
    }
    return {};
}

std::error_code lastSystemError() {
    return {errno, std::generic_category()};
}

bool isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

std::error_code checkReplaceable(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return std::make_error_code(std::errc::is_a_directory);
        if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
            return {errno, std::generic_category()};
    } else if (errno != ENOENT) {
        return {errno, std::generic_category()};
    }
    // The replace puts a new file into the folder and renames it: the folder must take writes and
    // be searchable.
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return {errno, std::generic_category()};
    return {};
}

std::error_code flushFolderToDisk(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return {errno, std::generic_category()};
    std::error_code ec;
    if (::fsync(fd) != 0) ec = {errno, std::generic_category()};
    ::close(fd);
    return ec;
}

std::filesystem::path systemInfFolder() {
    return {};
}

}  // namespace quillmere::platform
