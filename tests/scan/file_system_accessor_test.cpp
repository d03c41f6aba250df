// The real file system under the scanner: links, deep trees, errors and the path rules.

#include "file_system_accessor.h"

#include <gtest/gtest.h>

#include "package_scanner.h"
#include "recording_host.h"
#include "temp_dir.h"

using namespace quillmere;
using quillmere::testing::RecordingHost;
using quillmere::testing::TempDir;
namespace fs = std::filesystem;

TEST(FileSystemAccessor, JoinsWithOneSeparator) {
    EXPECT_EQ(FileSystemAccessor::joinPath("/pkg", "a.inf"), "/pkg/a.inf");
    EXPECT_EQ(FileSystemAccessor::joinPath("/", "a.inf"), "/a.inf");
}

TEST(FileSystemAccessor, ListsFilesWithSizesAndLeavesLinkedFoldersOut) {
    TempDir dir;
    dir.write("C2_1.INF", std::string(1234, 'x'));
    fs::create_directory(dir.path() / "sub");
    fs::create_directory_symlink(dir.path(), dir.path() / "loop");  // would recurse forever if walked
    fs::create_symlink(dir.path() / "missing", dir.path() / "broken.ini");

    FileSystemAccessor fso;
    const auto files = fso.listFiles(dir.str());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, dir.str() + "/C2_1.INF");
    EXPECT_EQ(files[0].name, "C2_1.INF");
    EXPECT_EQ(files[0].shortName, "C2_1.INF");
    EXPECT_EQ(files[0].size, 1234u);
    EXPECT_EQ(files[0].folderPath, dir.str());
    EXPECT_EQ(fso.listSubfolders(dir.str()), std::vector<std::string>{dir.str() + "/sub"});

    RecordingHost host(dir.str());
    scanPackageFolder(fso, host, dir.str());
    EXPECT_EQ(host.list1, std::vector<std::string>{dir.str() + "/C2_1.INF"});
}

TEST(FileSystemAccessor, AFolderThatCannotBeListedIsAnErrorNamingIt) {
    TempDir dir;
    const std::string missing = dir.str() + "/gone";
    FileSystemAccessor fso;
    try {
        fso.listFiles(missing);
        FAIL() << "no error for a missing folder";
    } catch (const ScanError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find(missing), std::string::npos);
        EXPECT_NE(text.find(std::make_error_code(std::errc::no_such_file_or_directory).message()),
                  std::string::npos);
    }
}

TEST(FileSystemAccessor, ADeepTreeIsWalkedToTheBottom) {
    TempDir dir;
    fs::path deep = dir.path();
    for (int level = 0; level < 200; ++level) deep /= "d";
    fs::create_directories(deep);
    quillmere::testing::writeBytes(deep / "CX_deep.INF", "x");
    FileSystemAccessor fso;
    RecordingHost host(dir.str());
    scanPackageFolder(fso, host, dir.str());
    EXPECT_EQ(host.slotText(FoundSlot::Label4), deep.string() + "/CX_deep.INF");
}

TEST(FolderExists, TrailingSeparatorAsksForAFolder) {
    TempDir dir;
    dir.write("ati", "a file, not a folder");
    EXPECT_TRUE(folderExists(dir.str() + "/"));
    EXPECT_TRUE(folderExists(dir.str()));
    EXPECT_TRUE(folderExists(dir.str() + "/ati"));
    EXPECT_FALSE(folderExists(dir.str() + "/ati/"));
    EXPECT_FALSE(folderExists(dir.str() + "/nothing"));
}
