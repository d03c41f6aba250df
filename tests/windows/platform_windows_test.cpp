// The Windows side of the platform layer against the system itself: starting the setup program,
// the Windows directory as profile directory, UTF-8 texts as UTF-16 paths, folder links, and
// what a replace keeps of a file.

#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

#include "file_system_accessor.h"
#include "modding_run.h"
#include "package_fixture.h"
#include "package_scanner.h"
#include "platform.h"
#include "profile_editor.h"
#include "profile_functions.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace std::string_literals;
using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

fs::path ownFolder() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return fs::path(path).parent_path();
}

std::wstring currentDirectory() {
    std::wstring cwd(32768, L'\0');
    cwd.resize(::GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data()));
    return cwd;
}

std::string utf8(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                          nullptr);
    return out;
}

// The report's "key=value" lines as one map.
std::map<std::string, std::string> parseReport(const std::string& text) {
    std::map<std::string, std::string> values;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        const std::string line = text.substr(pos, end - pos);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    return values;
}

// Sets the working directory for one test and puts the old one back.
class WorkingDirectory {
  public:
    explicit WorkingDirectory(const fs::path& dir) : old_(currentDirectory()) {
        ::SetCurrentDirectoryW(dir.c_str());
    }
    ~WorkingDirectory() { ::SetCurrentDirectoryW(old_.c_str()); }

  private:
    std::wstring old_;
};

}  // namespace

TEST(WindowsStartProgram, RunStartsSetupMinimizedWithoutArgumentsInOurFolderAndDoesNotWait) {
    TempDir tree, workDir, profileDir;
    const SamplePackage p = writeSamplePackage(tree.path());
    fs::copy_file(ownFolder() / "quillmere_start_probe.exe", p.setup, fs::copy_options::overwrite_existing);
    ASSERT_GT(fs::file_size(p.setup), 100000u)
        << "the probe must be big enough to count as the setup program";

    WorkingDirectory cwd(workDir.path());
    ProfileEditor editor(profileDir.path());
    RecordingHost host(tree.str(), Answer::Yes);
    RunEnvironment env;
    env.editor = &editor;  // the real platform::startProgram
    EXPECT_EQ(runModding(host, env), RunOutcome::Modded);

    // The probe goes on only once the run has returned: a starter that waited would hang here
    // until the probe gives up.
    writeBytes(p.setup.parent_path() / "go", "");
    const fs::path report = p.setup.parent_path() / "probe-report.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(report) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(fs::exists(report)) << "the setup program was not started";
    const auto values = parseReport(readBytes(report));
    EXPECT_EQ(values.at("go"), "seen");
    EXPECT_EQ(values.at("show"), std::to_string(SW_SHOWMINIMIZED));
    EXPECT_EQ(values.at("cwd"), utf8(workDir.path().wstring()));
    EXPECT_EQ(values.at("argc"), "1");
}

TEST(WindowsStartProgram, AProgramThatIsNotThereIsAnErrorNamingIt) {
    TempDir dir;
    const std::string missing = (dir.path() / "Label5").string();
    try {
        platform::startProgram(missing);
        FAIL() << "no error for " << missing;
    } catch (const std::system_error& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
        EXPECT_EQ(error.code().value(), ERROR_FILE_NOT_FOUND) << error.what();
    }
}

TEST(WindowsProfileDirectory, ABareFileNameLivesInTheWindowsDirectory) {
    wchar_t windows[MAX_PATH + 1] = {};
    ASSERT_NE(::GetWindowsDirectoryW(windows, MAX_PATH + 1), 0u);
    const std::string name = "quillmere-test-" + std::to_string(::GetCurrentProcessId()) + ".ini";
    const fs::path expected = fs::path(windows) / name;

    ProfileFunctions editor;
    if (editor.WritePrivateProfileStringA("S", "k", "v", name) == 0) {
        GTEST_SKIP() << "the Windows directory is not writable without elevation: "
                     << editor.lastError().message();
    }
    const bool there = fs::exists(expected);
    const std::string bytes = there ? readBytes(expected) : "";
    fs::remove(expected);
    EXPECT_TRUE(there) << expected.string();
    EXPECT_EQ(bytes, "[S]\r\nk=v\r\n");
}

TEST(WindowsPaths, Utf8TextsReachTheSystemAsUtf16WhateverTheCodePage) {
    TempDir dir;
    // "Paket" with e acute, "Ärger", and "driver" in Russian, which no ANSI code page holds with them.
    const std::string folder8 =
        dir.str() + "\\Pak\xC3\xA9t \xC3\x84rger \xD0\x94\xD1\x80\xD0\xB0\xD0\xB9\xD0\xB2\xD0\xB5\xD1\x80";
    const std::wstring folderWide =
        dir.path().wstring() + L"\\Pak\u00E9t \u00C4rger \u0414\u0440\u0430\u0439\u0432\u0435\u0440";
    fs::create_directories(platform::toPath(folder8));
    EXPECT_EQ(::GetFileAttributesW(folderWide.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(platform::fromPath(platform::toPath(folder8)), folder8);

    // A profile write through the UTF-8 name, read back through the wide one.
    ProfileFunctions editor(dir.path());
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "x", folder8 + "\\C2_\xC3\xA9.INF"), 1);
    EXPECT_EQ(readBytes(fs::path(folderWide + L"\\C2_\u00E9.INF")), "[WIN2K]\r\nR6=x\r\n");

    // The scanner hands the same UTF-8 texts back.
    FileSystemAccessor fso;
    RecordingHost host(folder8);
    scanPackageFolder(fso, host, folder8);
    EXPECT_EQ(host.list1, std::vector<std::string>{folder8 + "\\C2_\xC3\xA9.INF"});
    EXPECT_EQ(host.scanPaths, std::vector<std::string>{folder8 + "\\C2_\xC3\xA9.INF"});
}

TEST(WindowsReplace, KeepsHiddenAndArchiveAndLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path file = dir.write("install.ini", "[WIN2K]\r\nR6=old\r\n");
    const DWORD wanted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ::SetFileAttributesW(file.c_str(), wanted);
    if ((::GetFileAttributesW(file.c_str()) & wanted) != wanted) {
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    }
    ProfileFunctions editor(dir.path());
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "new", file.string()), 1);
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=new\r\n");
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & wanted, wanted);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(WindowsReplace, AReadOnlyFileIsRefusedAndStaysAsItWas) {
    TempDir dir;
    const fs::path file = dir.write("C2_1.INF", "[WIN2K]\r\nR6=old\r\n");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "the system lets this user write read-only files (Wine run as root does)";
    }
    ProfileFunctions editor(dir.path());
    EXPECT_TRUE(editor.editor().probeWritable(file.string()));
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "new", file.string()), 0);
    EXPECT_TRUE(editor.lastError());
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can be removed
}

namespace {

// A junction (which every user may make on NTFS) from `link` to `target`; false where the
// system cannot make one (Wine 8 answers ERROR_NOT_SUPPORTED).
bool makeJunction(const fs::path& link, const fs::path& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr)) return false;
    const HANDLE handle = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    // The mount-point form of REPARSE_DATA_BUFFER: substitute name, then an empty print name.
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    const auto nameBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    std::vector<char> buffer(16 + nameBytes + 2 * sizeof(wchar_t), '\0');
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const auto dataLength = static_cast<WORD>(buffer.size() - 8);
    const WORD fields[4] = {0, nameBytes, static_cast<WORD>(nameBytes + sizeof(wchar_t)), 0};
    std::memcpy(buffer.data(), &tag, 4);
    std::memcpy(buffer.data() + 4, &dataLength, 2);
    std::memcpy(buffer.data() + 8, fields, sizeof fields);
    std::memcpy(buffer.data() + 16, substitute.data(), nameBytes);
    DWORD returned = 0;
    const BOOL ok = ::DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                      static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    ::CloseHandle(handle);
    if (!ok) ::RemoveDirectoryW(link.c_str());
    return ok != 0;
}

// Removes the junction first: a folder walk that took it for a folder would loop.
struct JunctionGuard {
    fs::path link;
    ~JunctionGuard() { ::RemoveDirectoryW(link.c_str()); }
};

}  // namespace

TEST(WindowsFolderLinks, AreNeitherListedNorWalked) {
    // On a system that makes junctions the test makes its own loop; under Wine, which makes
    // none, scripts/test-windows.sh hands in a folder with a Unix symbolic link loop, which
    // Wine shows as a reparse point.
    TempDir dir;
    fs::path folder = dir.path();
    fs::create_directory(folder / "sub");
    writeBytes(folder / "C2_1.INF", "x");
    JunctionGuard guard{folder / "loop"};
    if (!makeJunction(folder / "loop", folder)) {
        const char* fixture = std::getenv("QUILLMERE_FOLDER_LINK_FIXTURE");
        if (!fixture || !*fixture) {
            GTEST_SKIP() << "no junction can be made here and QUILLMERE_FOLDER_LINK_FIXTURE is not set";
        }
        folder = fixture;
    }
    ASSERT_TRUE(platform::isLink(folder / "loop")) << (folder / "loop").string();
    EXPECT_FALSE(platform::isLink(folder / "sub"));
    EXPECT_FALSE(platform::isLink(folder / "C2_1.INF"));

    FileSystemAccessor fso;
    const std::string root = platform::fromPath(folder);
    EXPECT_EQ(fso.listSubfolders(root), std::vector<std::string>{root + "\\sub"});
    RecordingHost host(root);
    scanPackageFolder(fso, host, root);
    EXPECT_EQ(host.list1, std::vector<std::string>{root + "\\C2_1.INF"});
}
