#include "file_identity.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace quillmere::platform {

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path, std::error_code& ec) {
    // No access rights asked for: the identity needs none, and a file that another program holds
    // open can still be told apart. Backup semantics open folders too; links are followed.
    const HANDLE handle =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ec = {static_cast<int>(::GetLastError()), std::system_category()};
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    if (!known) ec = {static_cast<int>(::GetLastError()), std::system_category()};
    ::CloseHandle(handle);
    if (!known) return std::nullopt;
    ec.clear();
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace quillmere::platform
