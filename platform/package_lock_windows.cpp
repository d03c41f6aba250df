#include "package_lock.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "file_identity.h"

namespace quillmere::platform {
namespace fs = std::filesystem;

namespace {

std::error_code lastError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

// One name per folder on the machine: the volume's serial number and the folder's file index.
// "Global\" reaches across the sessions of several users; where that namespace is closed to us,
// the session's own one still keeps this user's runs apart.
HANDLE openMutex(const FileIdentity& identity) {
    wchar_t suffix[64];
    std::swprintf(suffix, 64, L"quillmere-mod-package-%llx-%llx",
                  static_cast<unsigned long long>(identity.device),
                  static_cast<unsigned long long>(identity.index));
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, (std::wstring(L"Global\\") + suffix).c_str());
    if (!mutex && ::GetLastError() == ERROR_ACCESS_DENIED)
        mutex = ::CreateMutexW(nullptr, FALSE, (std::wstring(L"Local\\") + suffix).c_str());
    return mutex;
}

}  // namespace

std::error_code PackageLock::lock(const std::vector<fs::path>& folders, std::chrono::milliseconds wait) {
    unlock();
    std::vector<FileIdentity> ordered;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        const auto identity = fileIdentity(folder, ec);
        if (!identity) return ec;
        ordered.push_back(*identity);
    }
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());

    // GetTickCount, not its 64-bit form, which Windows XP lacks; the difference survives a wrap.
    const DWORD start = ::GetTickCount();
    const DWORD allowed = static_cast<DWORD>(std::max<long long>(0, wait.count()));
    for (const FileIdentity& identity : ordered) {
        const HANDLE mutex = openMutex(identity);
        if (!mutex) {
            const std::error_code ec = lastError();
            unlock();
            return ec;
        }
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD left = elapsed >= allowed ? 0 : allowed - elapsed;
        // A mutex whose owner died unreleased comes back abandoned: it is ours then, and the
        // package holds what the dead run left, which the sweep deals with.
        const DWORD result = ::WaitForSingleObject(mutex, left);
        if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) {
            const std::error_code ec = result == WAIT_TIMEOUT
                                           ? std::make_error_code(std::errc::resource_unavailable_try_again)
                                           : lastError();
            ::CloseHandle(mutex);
            unlock();
            return ec;
        }
        handles_.push_back(reinterpret_cast<std::intptr_t>(mutex));
    }
    return {};
}

void PackageLock::unlock() {
    for (const std::intptr_t handle : handles_) {
        const HANDLE mutex = reinterpret_cast<HANDLE>(handle);
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
    }
    handles_.clear();
}

}  // namespace quillmere::platform
