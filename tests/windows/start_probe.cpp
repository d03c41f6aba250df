// Stands in for a package's setup.exe. It waits until the test drops "go" beside it (so that a
// starter that waits for its child is caught), then writes "probe-report.txt" beside it: the
// show mode it was given, its working directory and its argument count.

#include <windows.h>
// Needs the types of <windows.h>.
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring ownFolder() {
    std::wstring path(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}

}  // namespace

int main() {
    const std::wstring folder = ownFolder();
    bool go = false;
    for (int i = 0; i < 400 && !go; ++i) {  // 20 s
        go = ::GetFileAttributesW((folder + L"\\go").c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!go) ::Sleep(50);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    std::wstring cwd(32768, L'\0');
    cwd.resize(::GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data()));

    int argc = 0;
    LocalFree(::CommandLineToArgvW(::GetCommandLineW(), &argc));

    const std::string report = "go=" + std::string(go ? "seen" : "timeout") +
                               "\nshow=" + std::to_string(show) + "\ncwd=" + utf8(cwd) +
                               "\nargc=" + std::to_string(argc) + "\n";
    // Written whole under another name first, so the test never reads half a report.
    const std::wstring partial = folder + L"\\probe-report.part";
    FILE* out = ::_wfopen(partial.c_str(), L"wb");
    if (!out) return 1;
    std::fwrite(report.data(), 1, report.size(), out);
    std::fclose(out);
    return ::MoveFileW(partial.c_str(), (folder + L"\\probe-report.txt").c_str()) ? 0 : 1;
}
