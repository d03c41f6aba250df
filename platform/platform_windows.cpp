#include "platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// Needs the types of <windows.h>: kept in a block of its own so that sorting cannot move it.
#include <io.h>
#include <shellapi.h>

#include <vector>

#include "path_status.h"
#include "wide_text.h"

namespace quillmere::platform {
namespace {

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
        return utf8Text(message);
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

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

constexpr std::wstring_view kExtended = L"\\\\?\\";
constexpr std::wstring_view kExtendedUnc = L"\\\\?\\UNC\\";

// An absolute path in the "\\?\" form, which the W functions take at any length. In that form
// Windows takes every name as it stands, so the path is first made whole as Windows itself
// would: "/" becomes "\\", "." goes and ".." takes the name before it (never the drive or the
// share). A relative path stays as it is.
std::wstring extendedLength(std::wstring path) {
    if (path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) &&
        (path[2] == L'?' || path[2] == L'.') && isSeparator(path[3]))
        return path;  // already "\\?\" or a device
    std::wstring root;
    std::size_t rest = 0;
    if (path.size() >= 3 && path[1] == L':' && isSeparator(path[2]) &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'))) {
        root = std::wstring(kExtended) + path.substr(0, 2) + L'\\';
        rest = 3;
    } else if (path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) && !isSeparator(path[2])) {
        // "\\server\share\...": the server and the share are the root.
        std::size_t end = 2;
        for (int part = 0; part < 2 && end < path.size(); ++part) {
            while (end < path.size() && !isSeparator(path[end])) ++end;
            if (part == 0 && end < path.size()) ++end;
        }
        root = std::wstring(kExtendedUnc) + path.substr(2, end - 2);
        for (wchar_t& c : root) c = c == L'/' ? L'\\' : c;
        root += L'\\';
        rest = end;
    } else {
        return path;
    }
    std::vector<std::wstring> names;
    for (std::size_t at = rest; at < path.size();) {
        std::size_t end = at;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        const std::wstring name = path.substr(at, end - at);
        if (name == L"..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        at = end + 1;
    }
    std::wstring out = root;
    for (std::size_t i = 0; i < names.size(); ++i) out += (i ? L"\\" : L"") + names[i];
    // A trailing separator names the folder itself; the drive's root keeps its one separator.
    if (!names.empty() && isSeparator(path.back())) out += L'\\';
    return out;
}

}  // namespace

std::filesystem::path toPath(std::string_view text) {
    return std::filesystem::path(extendedLength(wideText(text)));
}

std::filesystem::path plainPath(const std::filesystem::path& path) {
    const std::wstring_view view(path.native());
    if (view.substr(0, kExtendedUnc.size()) == kExtendedUnc)
        return std::filesystem::path(L"\\\\" + std::wstring(view.substr(kExtendedUnc.size())));
    if (view.substr(0, kExtended.size()) == kExtended && view.size() >= kExtended.size() + 2 &&
        view[kExtended.size() + 1] == L':')
        return std::filesystem::path(std::wstring(view.substr(kExtended.size())));
    return path;
}

std::string fromPath(const std::filesystem::path& path) {
    // What the user sees never carries the "\\?\" that toPath added.
    const std::wstring& native = path.native();
    const std::wstring_view view(native);
    if (view.substr(0, kExtendedUnc.size()) == kExtendedUnc)
        return utf8Text(L"\\\\" + std::wstring(view.substr(kExtendedUnc.size())));
    if (view.substr(0, kExtended.size()) == kExtended && view.size() >= kExtended.size() + 2 &&
        view[kExtended.size() + 1] == L':')
        return utf8Text(view.substr(kExtended.size()));
    return utf8Text(view);
}

std::vector<std::string> programArguments(int /*argc*/, char** /*argv*/) {
    // argv went through the ANSI code page, which may have lost characters on the way (or put
    // others in their place): the UTF-16 command line has them all.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) throw std::system_error(lastError(), "Cannot read the command line");
    std::vector<std::string> arguments;
    try {
        for (int i = 1; i < count; ++i) arguments.push_back(utf8Text(wide[i]));
    } catch (...) {
        ::LocalFree(wide);
        throw;
    }
    ::LocalFree(wide);
    return arguments;
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

namespace {

// Wine shows a Unix symbolic link as a reparse point without a tag. Other reparse points (cloud
// placeholders, deduplicated files) hold their own content and are walked.
bool isLinkTag(DWORD tag) {
    return tag == IO_REPARSE_TAG_MOUNT_POINT || tag == IO_REPARSE_TAG_SYMLINK || tag == 0;
}

// The size of the file a link leads to; false for a link that leads nowhere.
bool targetSize(const std::filesystem::path& link, std::uint64_t& size) {
    const HANDLE handle =
        ::CreateFileW(link.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER bytes{};
    const bool known = ::GetFileSizeEx(handle, &bytes) != 0;
    ::CloseHandle(handle);
    size = static_cast<std::uint64_t>(bytes.QuadPart);
    return known;
}

}  // namespace

bool isLink(const std::filesystem::path& entry) {
    const DWORD attributes = ::GetFileAttributesW(entry.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return false;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(entry.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;
    ::FindClose(find);
    return isLinkTag(data.dwReserved0);
}

std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries) {
    // FindFirstFileW itself rather than std::filesystem, whose status queries go through the C
    // runtime: the search hands out the type and size of every entry at once.
    entries.clear();
    std::wstring pattern = folder.native();
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // A drive's empty root has not even "." and "..". The common cases keep the portable codes
        // that std::filesystem gave, so that messages read the same everywhere.
        switch (::GetLastError()) {
            case ERROR_FILE_NOT_FOUND:
                return {};
            case ERROR_PATH_NOT_FOUND:
                return std::make_error_code(std::errc::no_such_file_or_directory);
            case ERROR_DIRECTORY:
                return std::make_error_code(std::errc::not_a_directory);
            case ERROR_ACCESS_DENIED:
                return std::make_error_code(std::errc::permission_denied);
            default:
                return lastError();
        }
    }
    std::error_code ec;
    do {
        const std::wstring_view wideName(found.cFileName);
        // Nothing that is "." or ".." is ever an entry, so no walk can climb out of its folder.
        if (wideName == L"." || wideName == L"..") continue;
        FolderEntry entry;
        try {
            entry.name = utf8Text(wideName);
        } catch (const TextConversionError&) {
            ::SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            ec = lastError();
            break;
        }
        if (entry.name == "." || entry.name == "..") continue;
        entry.shortName = entry.name;
        const DWORD attributes = found.dwFileAttributes;
        const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && isLinkTag(found.dwReserved0);
        const std::filesystem::path full = folder / std::filesystem::path(wideName);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!link) entry.kind = FolderEntry::Kind::Folder;
        } else if (!(attributes & FILE_ATTRIBUTE_DEVICE)) {
            // A link to a file counts as that file, with its target's size.
            entry.size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            if (!link || targetSize(full, entry.size)) {
                entry.kind = FolderEntry::Kind::File;
                entry.shortName = shortNameOf(full);
            }
        }
        entries.push_back(std::move(entry));
    } while (::FindNextFileW(search, &found));
    if (!ec && ::GetLastError() != ERROR_NO_MORE_FILES) ec = lastError();
    ::FindClose(search);
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
    // The shell takes no "\\?\" form: it gets the path as the user knows it.
    const std::wstring file =
        std::filesystem::absolute(std::filesystem::path(wideText(path)), absoluteEc).wstring();
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
