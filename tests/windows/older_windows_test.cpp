// What keeps the programs running on Windows 2000: functions of newer versions are looked up at
// run time and each caller falls back without them (the lookup made to fail here), and the seed
// of the temporary names needs nothing that Windows 2000 lacks.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <set>

#include "file_replace.h"
#include "platform.h"
#include "system_function.h"
#include "temp_dir.h"

using namespace quillmere;
namespace fs = std::filesystem;

namespace {

void* nothingFound(const char* /*dll*/, const char* /*name*/) {
    return nullptr;
}

// Makes every lookup fail for as long as it lives, as on a Windows that lacks them all.
class OldWindows {
  public:
    OldWindows() : before_(platform::replaceSystemFunctionLookup(&nothingFound)) {}
    ~OldWindows() { platform::replaceSystemFunctionLookup(before_); }
    OldWindows(const OldWindows&) = delete;
    OldWindows& operator=(const OldWindows&) = delete;

  private:
    platform::SystemFunctionLookup before_;
};

}  // namespace

TEST(SystemFunctionLookup, FindsWhatTheSystemHasAndNothingElse) {
    EXPECT_EQ(platform::findSystemFunction("kernel32.dll", "GetTickCount"),
              reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetTickCount")));
    EXPECT_EQ(platform::findSystemFunction("kernel32.dll", "NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(platform::findSystemFunction("no-such-module.dll", "GetTickCount"), nullptr);
    {
        OldWindows old;
        EXPECT_EQ(platform::findSystemFunction("kernel32.dll", "GetTickCount"), nullptr);
    }
    EXPECT_NE(platform::findSystemFunction("kernel32.dll", "GetTickCount"), nullptr);
}

TEST(SystemFunctionLookup, RealPathWithoutFinalPathNameIsTheFullPathNormalised) {
    quillmere::testing::TempDir dir;
    const fs::path file = dir.path() / "sub" / "file.txt";
    fs::create_directories(file.parent_path());
    quillmere::testing::writeBytes(file, "x");
    const fs::path roundabout = dir.path() / "sub" / "." / ".." / "sub" / "file.txt";

    OldWindows old;
    std::error_code ec;
    const fs::path real = platform::realPath(roundabout, ec);
    ASSERT_FALSE(ec) << ec.message();
    EXPECT_EQ(real, fs::absolute(file).lexically_normal());
}

TEST(SystemFunctionLookup, RealPathWithFinalPathNameFindsTheSameFile) {
    // Wine has GetFinalPathNameByHandleW, as Vista and later do: both ways agree on a plain file.
    if (!platform::findSystemFunction("kernel32.dll", "GetFinalPathNameByHandleW"))
        GTEST_SKIP() << "this Windows lacks GetFinalPathNameByHandleW";
    quillmere::testing::TempDir dir;
    const fs::path file = dir.path() / "file.txt";
    quillmere::testing::writeBytes(file, "x");
    std::error_code ec;
    const fs::path real = platform::realPath(file, ec);
    ASSERT_FALSE(ec) << ec.message();
    EXPECT_TRUE(fs::equivalent(real, file));
    // Only the lookup that finds it can tell a missing file.
    platform::realPath(dir.path() / "missing.txt", ec);
    EXPECT_TRUE(ec);
}

TEST(RandomSeed, EverySeedIsNewAndNeedsNothingWindows2000Lacks) {
    std::set<std::uint64_t> seeds;
    for (int i = 0; i < 10000; ++i) seeds.insert(platform::randomSeed());
    EXPECT_EQ(seeds.size(), 10000u);
    // Not just a counter: the seeds differ in their high bits too.
    std::uint64_t highBits = 0;
    for (std::uint64_t seed : seeds) highBits |= seed >> 48;
    EXPECT_NE(highBits, 0u);
}
