// What a replace does on Windows: the file keeps its attributes and its access-control list, a
// program that holds the file open (as virus scanners do) is waited for a moment and then named
// with the system's own reason, and a run without a setup program starts nothing that merely
// bears the placeholder's name.

#include <gtest/gtest.h>
#include <windows.h>
// Needs the types of <windows.h>.
#include <sddl.h>

#include <chrono>
#include <iostream>
#include <string>

#include "file_store.h"
#include "modding_run.h"
#include "package_fixture.h"
#include "profile_editor.h"
#include "profile_functions.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

// The file's access-control list in the system's text form, or "" where it keeps none.
std::wstring daclOf(const fs::path& file) {
    DWORD needed = 0;
    ::GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0) return L"";
    std::string descriptor(needed, '\0');
    if (!::GetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed))
        return L"";
    wchar_t* text = nullptr;
    if (!::ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                                DACL_SECURITY_INFORMATION, &text, nullptr))
        return L"";
    std::wstring out(text);
    ::LocalFree(text);
    return out;
}

bool setDacl(const fs::path& file, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    const bool ok = ::SetFileSecurityW(file.c_str(), DACL_SECURITY_INFORMATION, descriptor) != 0;
    ::LocalFree(descriptor);
    return ok;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Holds a file open for reading and writing but not for deleting, as a scanner does; closes it
// after `releaseAfterMs` on a thread of its own (never, if negative).
class Holder {
  public:
    Holder(const fs::path& file, int releaseAfterMs) : releaseAfterMs_(releaseAfterMs) {
        handle_ = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (releaseAfterMs_ >= 0) thread_ = ::CreateThread(nullptr, 0, &Holder::release, this, 0, nullptr);
    }
    ~Holder() {
        if (thread_) {
            ::WaitForSingleObject(thread_, INFINITE);
            ::CloseHandle(thread_);
        } else if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    bool holding() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    static DWORD WINAPI release(void* self) {
        auto* holder = static_cast<Holder*>(self);
        ::Sleep(static_cast<DWORD>(holder->releaseAfterMs_));
        ::CloseHandle(holder->handle_);
        return 0;
    }
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    HANDLE thread_ = nullptr;
    int releaseAfterMs_;
};

}  // namespace

TEST(WindowsReplace, KeepsTheAccessControlListAndTheAttributes) {
    TempDir dir;
    const fs::path file = dir.write("C2_1.INF", "[WIN2K]\r\nR6=old\r\n");
    // Protected: Administrators may do all, Everyone only read; nothing inherited from the folder.
    if (!setDacl(file, L"D:P(A;;FA;;;BA)(A;;FR;;;WD)") || daclOf(file).find(L";;;WD)") == std::wstring::npos)
        GTEST_SKIP() << "this file system keeps no access-control lists: " << fs::path(daclOf(file)).string();
    const std::wstring before = daclOf(file);
    const DWORD wanted = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), wanted));

    ProfileFunctions editor(dir.path());
    ASSERT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "new", file.string()), 1)
        << editor.lastError().message();
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=new\r\n");
    EXPECT_EQ(daclOf(file), before);
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & wanted, wanted);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"C2_1.INF"});
}

TEST(WindowsReplace, AFileHeldOpenIsWaitedForThenReportedWithTheSystemsReason) {
    TempDir dir;
    const fs::path file = dir.write("CX_1.INF", "old");
    DiskFileStore store;
    {
        Holder held(file, 400);  // a scanner that lets go soon
        ASSERT_TRUE(held.holding());
        const std::error_code ec = store.replace(file, "new");
        EXPECT_FALSE(ec) << ec.message();
    }
    EXPECT_EQ(readBytes(file), "new");

    Holder held(file, -1);  // one that does not
    const auto start = std::chrono::steady_clock::now();
    const std::error_code ec = store.replace(file, "newer");
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(ec) << "the replace went through a file held without delete sharing";
    EXPECT_GE(waited, 1.0) << "not retried";
    // The system's own text for the code, not the C runtime's.
    wchar_t* text = nullptr;
    ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(ec.value()), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr) << ec.value();
    std::wstring system(text);
    ::LocalFree(text);
    const std::string message = ec.message();
    std::cout << "[ held file ] refused after " << waited << " s: " << message << " (code " << ec.value()
              << ")\n";
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(fs::path(system).string().rfind(message, 0), 0u) << message << " / code " << ec.value();
    EXPECT_EQ(readBytes(file), "new");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"CX_1.INF"});
}

TEST(WindowsStartProgram, YesWithoutASetupProgramStartsNothingCalledLabel5) {
    TempDir tree, workDir, pathDir, profileDir;
    const SamplePackage p = writeSamplePackage(tree.path());
    fs::remove(p.setup);
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    const fs::path probe = fs::path(own).parent_path() / "quillmere_start_probe.exe";
    // The probe reports at once when it finds "go" beside it.
    for (const fs::path& folder : {workDir.path(), pathDir.path()}) {
        fs::copy_file(probe, folder / "Label5.exe");
        writeBytes(folder / "go", "");
    }
    wchar_t oldCwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, oldCwd);
    std::wstring oldPath(32768, L'\0');
    oldPath.resize(::GetEnvironmentVariableW(L"PATH", oldPath.data(), static_cast<DWORD>(oldPath.size())));
    ::SetCurrentDirectoryW(workDir.path().c_str());
    ::SetEnvironmentVariableW(L"PATH", (pathDir.path().wstring() + L";" + oldPath).c_str());

    ProfileEditor editor(profileDir.path());
    RecordingHost host(tree.str(), Answer::Yes);
    RunEnvironment env;
    env.editor = &editor;  // the real start
    std::string error = "<no error>";
    try {
        runModding(host, env);
    } catch (const StartError& e) {
        error = e.what();
    }
    ::Sleep(1500);
    ::SetCurrentDirectoryW(oldCwd);
    ::SetEnvironmentVariableW(L"PATH", oldPath.c_str());

    EXPECT_EQ(error, "Cannot start Label5: no setup program was found");
    EXPECT_FALSE(fs::exists(workDir.path() / "probe-report.txt"));
    EXPECT_FALSE(fs::exists(pathDir.path() / "probe-report.txt"));
    EXPECT_EQ(readBytes(p.c2Inf), testData("expected/C2_59642.INF"));
}
