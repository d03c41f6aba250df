#include "platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Needs the types of <windows.h>: kept in a block of its own so that sorting cannot move it.
#include <io.h>
#include <shellapi.h>

#include <vector>

namespace quillmere::platform {
namespace {

std::wstring widen(std::string_view text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}

// Windows error codes with the system's own text: the C++ runtime's category does not ask the
// system for it everywhere, and a user should read what Windows says.
class WindowsCategory : public std::error_category {
  public:
    const char* name() const noexcept override { return "windows"; }
    std::string message(int code) const override {
        wchar_t* text = nullptr;
        const DWORD n = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        std::wstring message = n ? std::wstring(text, n) : L"Windows error " + std::to_wstring(code);
        if (text) ::LocalFree(text);
        // The system ends its texts with a full stop and a line end; ours go inside parentheses.
        while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                                    message.back() == L' ' || message.back() == L'.'))
            message.pop_back();
        return narrow(message);
    }
    std::error_condition default_error_condition(int code) const noexcept override {
        return std::system_category().default_error_condition(code);
    }
};

std::error_code lastError() {
    static const WindowsCategory category;
    return {static_cast<int>(::GetLastError()), category};
}

}  // namespace

std::error_code lastSystemError() {
    return lastError();
}

char pathSeparator() {
    return '\\';
}

bool hasFolderPart(std::string_view name) {
    return name.find_first_of("\\/:") != std::string_view::npos;
}

std::filesystem::path toPath(std::string_view text) {
    return std::filesystem::path(widen(text));
}

std::string fromPath(const std::filesystem::path& path) {
    return narrow(path.native());
}

std::string shortNameOf(const std::filesystem::path& file) {
    const std::wstring full = file.native();
    const DWORD needed = ::GetShortPathNameW(full.c_str(), nullptr, 0);
    if (needed == 0) return fromPath(file.filename());
    std::wstring shortPath(needed, L'\0');
    const DWORD written = ::GetShortPathNameW(full.c_str(), shortPath.data(), needed);
    if (written == 0 || written >= needed) return fromPath(file.filename());
    shortPath.resize(written);
    // The volume keeps no alias for this file: GetShortPathNameW hands the long name back.
    return fromPath(std::filesystem::path(shortPath).filename());
}

bool isLink(const std::filesystem::path& entry) {
    const DWORD attributes = ::GetFileAttributesW(entry.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return false;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(entry.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;
    ::FindClose(find);
    // Other reparse points (cloud placeholders, deduplicated files) hold their own content and
    // are walked. Wine shows a Unix symbolic link as a reparse point without a tag.
    const DWORD tag = data.dwReserved0;
    return tag == IO_REPARSE_TAG_MOUNT_POINT || tag == IO_REPARSE_TAG_SYMLINK || tag == 0;
}

std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::filesystem::directory_entry& found = *it;
        FolderEntry entry;
        entry.name = fromPath(found.path().filename());
        entry.shortName = entry.name;
        std::error_code typeEc;
        if (found.is_regular_file(typeEc)) {
            std::error_code sizeEc;
            entry.size = found.file_size(sizeEc);
            if (!sizeEc) {
                entry.kind = FolderEntry::Kind::File;
                entry.shortName = shortNameOf(found.path());
            }
        } else if (found.is_directory(typeEc) && !isLink(found.path())) {
            entry.kind = FolderEntry::Kind::Folder;
        }
        entries.push_back(std::move(entry));
    }
    return ec;
}

std::filesystem::path defaultProfileDirectory() {
    const UINT needed = ::GetWindowsDirectoryW(nullptr, 0);
    std::wstring buffer(needed, L'\0');
    const UINT n = needed == 0 ? 0 : ::GetWindowsDirectoryW(buffer.data(), needed);
    if (n == 0 || n >= needed) return std::filesystem::path(L"C:\\Windows");
    buffer.resize(n);
    return std::filesystem::path(buffer);
}

void startProgram(const std::string& path) {
    // The shell would look a bare or relative name up in the working folder, on the search path
    // and in its App Paths: only ever hand it the full path of the file meant.
    if (!hasFolderPart(path))
        throw std::system_error(ERROR_FILE_NOT_FOUND, std::system_category(), "Cannot start " + path);
    std::error_code absoluteEc;
    const std::wstring file = std::filesystem::absolute(toPath(path), absoluteEc).wstring();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = nullptr;
    info.lpDirectory = nullptr;  // inherit the tool's working directory
    info.nShow = SW_SHOWMINIMIZED;
    if (!::ShellExecuteExW(&info)) {
        throw std::system_error(lastError(), "Cannot start " + path);
    }
}

std::FILE* openFile(const std::filesystem::path& file, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return ::_wfopen(file.c_str(), wideMode.c_str());
}

std::error_code flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return {errno, std::generic_category()};
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !::FlushFileBuffers(handle)) return lastError();
    return {};
}

bool isTerminal(std::FILE* stream) {
    return ::_isatty(::_fileno(stream)) != 0;
}

namespace {

// Asks for the rights without using them: a handle opened with them is closed at once, and an
// open of an existing file or folder neither creates nor changes anything.
std::error_code canOpenWith(const std::filesystem::path& path, DWORD access, DWORD flags) {
    const HANDLE handle =
        ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    ::CloseHandle(handle);
    return {};
}

}  // namespace

std::error_code checkReplaceable(const std::filesystem::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::make_error_code(std::errc::is_a_directory);
        if (attributes & FILE_ATTRIBUTE_READONLY) return std::make_error_code(std::errc::permission_denied);
        if (auto ec = canOpenWith(file, FILE_WRITE_DATA, FILE_ATTRIBUTE_NORMAL)) return ec;
    } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return lastError();
    }
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = L".";
    return canOpenWith(folder, FILE_ADD_FILE, FILE_FLAG_BACKUP_SEMANTICS);
}

std::error_code flushFolderToDisk(const std::filesystem::path& /*folder*/) {
    // NTFS journals its folder entries itself; a folder handle cannot be flushed without
    // administrator rights.
    return {};
}

std::filesystem::path systemInfFolder() {
    return defaultProfileDirectory() / L"INF";
}

}  // namespace quillmere::platform
