// The Windows side of keeping runs apart and of telling files apart: the package lock excludes
// another holder for a bounded wait and is free again when its holder ends without releasing it;
// two names of one file give one identity.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "file_identity.h"
#include "package_lock.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// A lock taken on a thread of its own: the mutex behind it belongs to a thread, and one thread
// may take it again. `leak` ends the thread still holding it, as a killed process would.
struct LockOnThread {
    explicit LockOnThread(fs::path where, std::chrono::milliseconds patience = {})
        : folder(std::move(where)), wait(patience) {}

    fs::path folder;
    std::chrono::milliseconds wait{0};
    bool leak = false;
    std::error_code result;

    static DWORD WINAPI body(void* self) {
        auto& job = *static_cast<LockOnThread*>(self);
        auto* lock = new platform::PackageLock;
        job.result = lock->lock({job.folder}, job.wait);
        if (!job.leak) delete lock;
        return 0;
    }

    std::error_code run() {
        const HANDLE thread = ::CreateThread(nullptr, 0, &body, this, 0, nullptr);
        if (!thread) return {static_cast<int>(::GetLastError()), std::system_category()};
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
        return result;
    }
};

}  // namespace

TEST(PackageLockWindows, AHeldPackageIsWaitedForABoundedTimeAndFreeOnceItsHolderEnds) {
    TempDir dir;
    fs::create_directories(dir.path() / "Driver");
    platform::PackageLock held;
    // The same folder by two spellings is one lock.
    ASSERT_FALSE(held.lock({dir.path() / "Driver", dir.path() / "Driver" / "."}, 0ms));

    LockOnThread other{dir.path() / "Driver", 300ms};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(other.run(), std::errc::resource_unavailable_try_again);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 5s);

    held.unlock();
    EXPECT_FALSE(LockOnThread{dir.path() / "Driver"}.run());

    // A holder that ends without a word leaves the lock to the next one, without waiting.
    LockOnThread dying{dir.path() / "Driver"};
    dying.leak = true;
    ASSERT_FALSE(dying.run());
    EXPECT_FALSE(LockOnThread{dir.path() / "Driver"}.run());
    // Nothing was created in the folder for the lock.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "Driver"), fs::directory_iterator()), 0);
}

TEST(PackageLockWindows, TwoNamesOfOneFileHaveOneIdentityAndOtherFilesAnother) {
    TempDir dir;
    const fs::path a = dir.write("a.inf", "one");
    const fs::path b = dir.write("b.inf", "one");
    std::error_code ec;
    const auto ofA = platform::fileIdentity(a, ec);
    ASSERT_TRUE(ofA) << ec.message();
    EXPECT_EQ(platform::fileIdentity(dir.path() / "." / "a.inf", ec), ofA);
    EXPECT_NE(platform::fileIdentity(b, ec), ofA);
    const fs::path hard = dir.path() / "hard.inf";
    if (::CreateHardLinkW(hard.c_str(), a.c_str(), nullptr)) {
        EXPECT_EQ(platform::fileIdentity(hard, ec), ofA);
    }
    EXPECT_FALSE(platform::fileIdentity(dir.path() / "missing.inf", ec));
    EXPECT_TRUE(ec);
}
