#include "file_replace.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Needs the types of <windows.h>: kept in a block of its own so that sorting cannot move it.
#include <fcntl.h>
#include <io.h>

#include <vector>

#include "path_status.h"
#include "platform.h"
#include "system_function.h"

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

// How long a replace waits for a program that holds the file (virus scanners, indexers and
// backup tools open new files for a moment): twenty tries, a tenth of a second apart.
constexpr int kReplaceTries = 20;
constexpr DWORD kRetryPauseMs = 100;

bool heldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Runs `attempt` until it succeeds, fails for good, or the other program has had its time.
template <typename Attempt>
std::error_code retryWhileHeld(Attempt attempt) {
    for (int tries = 1;; ++tries) {
        if (attempt()) return {};
        const std::error_code ec = lastSystemError();
        if (!heldByAnotherProgram(static_cast<DWORD>(ec.value())) || tries == kReplaceTries) return ec;
        ::Sleep(kRetryPauseMs);
    }
}

// ReplaceFileW has no write-through: flushing the replaced file afterwards puts its data and its
// directory entry on the disk (NTFS logs both).
std::error_code flushFile(const fs::path& file) {
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastSystemError();
    std::error_code ec;
    if (!::FlushFileBuffers(handle)) ec = lastSystemError();
    ::CloseHandle(handle);
    return ec;
}

std::error_code copyAccessControl(const fs::path& original, const fs::path& copy) {
    // The owner may only be set with privileges most users lack; the list of who may do what is
    // what matters, and that the file's owner may always set.
    const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    ::GetFileSecurityW(original.c_str(), what, nullptr, 0, &needed);
    if (needed == 0) {
        const std::error_code ec = lastSystemError();
        // File systems without access-control lists (FAT) have nothing to carry over.
        const auto code = static_cast<DWORD>(ec.value());
        return code == ERROR_NOT_SUPPORTED || code == ERROR_INVALID_FUNCTION ? std::error_code() : ec;
    }
    std::vector<unsigned char> descriptor(needed);
    if (!::GetFileSecurityW(original.c_str(), what, descriptor.data(), needed, &needed))
        return lastSystemError();
    if (!::SetFileSecurityW(copy.c_str(), what, descriptor.data())) return lastSystemError();
    return {};
}

}  // namespace

std::FILE* createExclusive(const fs::path& file, std::error_code& ec) {
    // CREATE_NEW fails on any name that is taken, a link included, so nothing planted is followed.
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ec = lastSystemError();
        const auto code = static_cast<DWORD>(ec.value());
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS)
            ec = std::make_error_code(std::errc::file_exists);
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    std::FILE* stream = fd < 0 ? nullptr : ::_fdopen(fd, "wb");
    if (!stream) {
        ec = std::make_error_code(std::errc::too_many_files_open);
        if (fd >= 0) {
            ::_close(fd);
        } else {
            ::CloseHandle(handle);
        }
        ::DeleteFileW(file.c_str());
        return nullptr;
    }
    ec.clear();
    return stream;
}

std::error_code copyFileAttributes(const fs::path& original, const fs::path& copyPath, std::FILE* /*copy*/) {
    const DWORD attributes = ::GetFileAttributesW(original.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return lastSystemError();
    // Hidden, system and archive travel with the file; read-only would block the replace itself.
    const DWORD keep = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (!::SetFileAttributesW(copyPath.c_str(), keep == 0 ? FILE_ATTRIBUTE_NORMAL : keep))
        return lastSystemError();
    return copyAccessControl(original, copyPath);
}

std::error_code linkFile(const fs::path& file, const fs::path& second) {
    if (!::CreateHardLinkW(second.c_str(), file.c_str(), nullptr)) return lastSystemError();
    return {};
}

std::error_code replaceFile(const fs::path& from, const fs::path& to) {
    if (::GetFileAttributesW(to.c_str()) == INVALID_FILE_ATTRIBUTES) return moveOver(from, to);
    // Wine's ReplaceFileW refuses a path of MAX_PATH characters or more ("Invalid name"), or
    // worse, overruns its stack on one. There the rename alone replaces the file: the new file
    // already carries the attributes and the access list (copyFileAttributes); only alternate
    // streams stay behind.
    if (to.native().size() >= MAX_PATH || from.native().size() >= MAX_PATH) {
        if (auto ec = moveOver(from, to)) return ec;
        return flushFile(to);
    }
    // ReplaceFileW gives the new file the replaced one's access-control list, streams and
    // attributes, which a plain rename would drop.
    const std::error_code ec = retryWhileHeld([&] {
        // Ask first whether the file may go now: a ReplaceFileW that another program blocks can
        // leave a file of its own in the folder (Wine's does, one per try).
        const HANDLE probe =
            ::CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(probe);
        return ::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0;
    });
    if (ec) return ec;
    return flushFile(to);
}

std::error_code moveOver(const fs::path& from, const fs::path& to) {
    return retryWhileHeld([&] {
        return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
               0;
    });
}

fs::path realPath(const fs::path& path, std::error_code& ec) {
    // Windows 2000 and XP have no file links and no GetFinalPathNameByHandleW: there the full
    // path is the real one.
    using FinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    const auto finalPath = systemFunction<FinalPath>("kernel32.dll", "GetFinalPathNameByHandleW");
    if (!finalPath) return fs::absolute(plainPath(path), ec).lexically_normal();
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ec = lastSystemError();
        return {};
    }
    std::wstring buffer(32768, L'\0');
    const DWORD n = finalPath(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    ::CloseHandle(handle);
    if (n == 0 || n >= buffer.size()) {
        ec = lastSystemError();
        return {};
    }
    buffer.resize(n);
    // "\\?\C:\..." and "\\?\UNC\server\..." back to the forms the walk uses.
    if (buffer.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        buffer = L"\\\\" + buffer.substr(8);
    } else if (buffer.rfind(L"\\\\?\\", 0) == 0) {
        buffer = buffer.substr(4);
    }
    ec.clear();
    return fs::path(buffer);
}

}  // namespace quillmere::platform
