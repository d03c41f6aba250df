// The real file system under the scanner: links, deep trees, errors and the path rules.

#include "file_system_accessor.h"

#include <gtest/gtest.h>

#include "package_scanner.h"
#include "platform.h"
#include "recording_host.h"
#include "system_abilities.h"
#include "temp_dir.h"

using namespace quillmere;
using quillmere::testing::canCreateSymlinks;
using quillmere::testing::canListLongPaths;
using quillmere::testing::RecordingHost;
using quillmere::testing::TempDir;
namespace fs = std::filesystem;

TEST(FileSystemAccessor, JoinsWithOneSeparator) {
    const std::string sep(1, platform::pathSeparator());
    EXPECT_EQ(FileSystemAccessor::joinPath("/pkg", "a.inf"), "/pkg" + sep + "a.inf");
    EXPECT_EQ(FileSystemAccessor::joinPath("/", "a.inf"), "/a.inf");
}

namespace {

// A folder that holds C2_1.INF (1234 bytes) and the subfolder "sub", perhaps beside links:
// exactly those two are listed, and a scan finds the file once.
void expectTheFileAndTheSubfolderOnly(const TempDir& dir) {
    FileSystemAccessor fso;
    const std::string file = (dir.path() / "C2_1.INF").string();
    const auto files = fso.listFiles(dir.str());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].path, file);
    EXPECT_EQ(files[0].name, "C2_1.INF");
    EXPECT_EQ(files[0].shortName, "C2_1.INF");
    EXPECT_EQ(files[0].size, 1234u);
    EXPECT_EQ(files[0].folderPath, dir.str());
    EXPECT_EQ(fso.listSubfolders(dir.str()), std::vector<std::string>{(dir.path() / "sub").string()});

    RecordingHost host(dir.str());
    scanPackageFolder(fso, host, dir.str());
    EXPECT_EQ(host.list1, std::vector<std::string>{file});
}

}  // namespace

TEST(FileSystemAccessor, ListsFilesWithSizesAndSubfolders) {
    TempDir dir;
    dir.write("C2_1.INF", std::string(1234, 'x'));
    fs::create_directory(dir.path() / "sub");
    expectTheFileAndTheSubfolderOnly(dir);
}

TEST(FileSystemAccessor, LeavesLinkedFoldersAndBrokenLinksOut) {
    TempDir dir;
    if (!canCreateSymlinks(dir.path())) {
        GTEST_SKIP() << "symbolic links cannot be made here; tests/windows checks folder links on Windows";
    }
    dir.write("C2_1.INF", std::string(1234, 'x'));
    fs::create_directory(dir.path() / "sub");
    fs::create_directory_symlink(dir.path(), dir.path() / "loop");  // would recurse forever if walked
    fs::create_symlink(dir.path() / "missing", dir.path() / "broken.ini");
    expectTheFileAndTheSubfolderOnly(dir);
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
    if (!canListLongPaths(dir.path())) {
        GTEST_SKIP() << "this system cannot list folders whose paths exceed MAX_PATH";
    }
    quillmere::testing::writeBytes(deep / "CX_deep.INF", "x");
    FileSystemAccessor fso;
    RecordingHost host(dir.str());
    scanPackageFolder(fso, host, dir.str());
    EXPECT_EQ(host.slotText(FoundSlot::Label4), (deep / "CX_deep.INF").string());
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
