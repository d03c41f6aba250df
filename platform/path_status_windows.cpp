#include <windows.h>

#include "path_status.h"
#include "platform.h"

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

bool notThere(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_NETPATH;
}

}  // namespace

PathStatus pathStatus(const fs::path& path, std::error_code& ec) {
    ec.clear();
    PathStatus status;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!notThere(::GetLastError())) ec = lastSystemError();
        return status;
    }
    status.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && isLink(path);
    DWORD followed = attributes;
    if (status.link) {
        // As on other systems, a link counts as what it leads to; one that leads nowhere is not there.
        const HANDLE handle =
            ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return status;
        BY_HANDLE_FILE_INFORMATION information{};
        if (::GetFileInformationByHandle(handle, &information)) followed = information.dwFileAttributes;
        ::CloseHandle(handle);
    }
    status.exists = true;
    status.directory = (followed & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.regularFile = !status.directory && !(followed & FILE_ATTRIBUTE_DEVICE);
    return status;
}

bool removeFile(const fs::path& file, std::error_code& ec) {
    ec.clear();
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!notThere(::GetLastError())) ec = lastSystemError();
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        ec = std::make_error_code(std::errc::is_a_directory);
        return false;
    }
    const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY)
                             ? ::RemoveDirectoryW(file.c_str())  // a junction
                             : ::DeleteFileW(file.c_str());
    if (!removed) ec = lastSystemError();
    return removed;
}

}  // namespace quillmere::platform
