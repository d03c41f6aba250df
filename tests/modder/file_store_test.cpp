// The disk store's replace on any system: a write that falls short is an error however it falls
// short, an original held under a second name comes back without a byte of new space, and the
// leftovers of stopped runs are recognised by their exact names only.

#include "file_store.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "side_files.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Writes half of what it is given and reports no error, as a stream on a full or failing device
// may.
class ShortWriteStore : public DiskFileStore {
  protected:
    std::size_t writeBytes(std::FILE* file, const char* data, std::size_t size) override {
        const std::size_t half = DiskFileStore::writeBytes(file, data, size / 2);
        errno = 0;
        return half;
    }
};

}  // namespace

TEST(DiskFileStore, AShortWriteWithoutErrnoIsAnIoErrorAndChangesNothing) {
    TempDir dir;
    const fs::path file = dir.write("C2_1.INF", "[WIN2K]\r\nR6=old\r\n");
    ShortWriteStore store;
    const std::error_code ec = store.replace(file, std::string(100000, 'n'));
    EXPECT_EQ(ec, std::errc::io_error);
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=old\r\n");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"C2_1.INF"});
}

TEST(DiskFileStore, AHeldOriginalComesBackAsItWasAndReleasingLeavesNothing) {
    TempDir dir;
    const fs::path file = dir.write("install.ini", "original");
    DiskFileStore store;
    if (auto ec = store.holdOriginal(file)) GTEST_SKIP() << "no hard links here: " << ec.message();
    ASSERT_EQ(namesIn(dir.path()).size(), 2u);
    ASSERT_FALSE(store.replace(file, "modded"));
    EXPECT_EQ(readBytes(file), "modded");
    ASSERT_FALSE(store.restoreOriginal(file));
    EXPECT_EQ(readBytes(file), "original");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"install.ini"});
    // The hold ended with the restore: nothing more to put back.
    EXPECT_TRUE(store.restoreOriginal(file));

    ASSERT_FALSE(store.holdOriginal(file));
    ASSERT_FALSE(store.replace(file, "modded again"));
    store.releaseOriginal(file);
    EXPECT_EQ(readBytes(file), "modded again");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"install.ini"});
}

TEST(SideFiles, OnlyTheExactNamesOfOursAreLeftoversAndOnlyThoseGo) {
    TempDir dir;
    const fs::path file = dir.write("install.ini", "x");
    const fs::path temporary = sideFileName(file, SideFile::Temporary);
    const fs::path original = sideFileName(file, SideFile::Original);
    EXPECT_EQ(temporary.parent_path(), file.parent_path());
    EXPECT_TRUE(isSideFileOf("install.ini", temporary.filename()));
    EXPECT_TRUE(isSideFileOf("install.ini", original.filename()));
    for (const char* other :
         {".install.ini.quillmere-.tmp", ".install.ini.quillmere-12a.tmp", "install.ini.quillmere-1.tmp",
          ".install.ini.quillmere-1.tmp.bak", ".install.ini.quillmere-1.old", ".other.ini.quillmere-1.tmp",
          ".install.ini.quillmere-1"}) {
        EXPECT_FALSE(isSideFileOf("install.ini", other)) << other;
        writeBytes(dir.path() / other, "keep");
    }
    writeBytes(temporary, "stale copy");
    writeBytes(original, "stale original");
    EXPECT_EQ(removeSideFiles(file), 2u);
    EXPECT_FALSE(fs::exists(temporary));
    EXPECT_FALSE(fs::exists(original));
    EXPECT_EQ(namesIn(dir.path()).size(), 8u);

    // Without the file, a second name may be all that is left of it: it stays.
    writeBytes(original, "the only copy");
    fs::remove(file);
    EXPECT_EQ(removeSideFiles(file), 0u);
    EXPECT_EQ(readBytes(original), "the only copy");
}
