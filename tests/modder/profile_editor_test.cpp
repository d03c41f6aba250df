// The three profile operations on disk: where a file name leads, what a failed write leaves,
// and that a replace keeps what the file system knows about the file.

#include "profile_functions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "faulty_file_store.h"
#include "system_abilities.h"
#include "temp_dir.h"

using namespace std::string_literals;
using quillmere::testing::canCreateSymlinks;
using quillmere::testing::FaultyFileStore;
using quillmere::testing::keepsPosixPermissions;
using quillmere::testing::ProfileFunctions;
using quillmere::testing::readBytes;
using quillmere::testing::TempDir;
namespace fs = std::filesystem;

TEST(ProfileEditor, BareNameLivesInTheProfileDirectory) {
    TempDir profileDir;
    ProfileFunctions editor(profileDir.path());
    EXPECT_EQ(editor.WritePrivateProfileSectionA("ATI.Mfg", "\"Mo\0"s, "Label3"), 1);
    EXPECT_EQ(readBytes(profileDir.path() / "Label3"), "[ATI.Mfg]\r\n\"Mo\r\n");

    char buffer[16] = {};
    EXPECT_EQ(editor.GetPrivateProfileSectionA("ati.mfg", buffer, sizeof buffer, "Label3"), 4u);
    EXPECT_EQ(std::string(buffer, 3), "\"Mo");
}

TEST(ProfileEditor, MissingFileReadsAsEmpty) {
    TempDir dir;
    ProfileFunctions editor(dir.path());
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(editor.GetPrivateProfileSectionA("S", buffer, 4, (dir.path() / "none.inf").string()), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');
}

TEST(ProfileEditor, WriteIntoAMissingFolderFailsAndCreatesNothing) {
    TempDir dir;
    ProfileFunctions editor(dir.path());
    const fs::path file = dir.path() / "no-such-folder" / "x.ini";
    EXPECT_EQ(editor.WritePrivateProfileStringA("S", "k", "v", file.string()), 0);
    EXPECT_EQ(editor.lastError(), std::errc::no_such_file_or_directory);
    EXPECT_FALSE(fs::exists(file.parent_path()));
}

TEST(ProfileEditor, FailedWriteLeavesTheFileByteForByteAndSaysWhy) {
    TempDir dir;
    const fs::path file = dir.write("install.ini", "[WIN2K]\r\nR6=old\r\n");
    FaultyFileStore store;
    store.failReplaceOf.insert(file.string());
    ProfileFunctions editor(dir.path(), store);
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "new", file.string()), 0);
    EXPECT_EQ(editor.lastError(), std::errc::no_space_on_device);
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=old\r\n");

    store.failReplaceOf.clear();
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "new", file.string()), 1);
    EXPECT_FALSE(editor.lastError());
    EXPECT_EQ(readBytes(file), "[WIN2K]\r\nR6=new\r\n");
}

TEST(ProfileEditor, ReplaceKeepsPermissionsLinksAndLeavesNoTemporaryFile) {
    TempDir dir;
    if (!canCreateSymlinks(dir.path()) || !keepsPosixPermissions(dir.path())) {
        GTEST_SKIP()
            << "needs symbolic links and POSIX permissions; tests/windows checks attributes on Windows";
    }
    const fs::path real = dir.write("real.inf", "[S]\r\na\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = dir.path() / "C2_link.inf";
    fs::create_symlink(real, link);

    ProfileFunctions editor(dir.path());
    EXPECT_EQ(editor.WritePrivateProfileSectionA("S", "b\0"s, link.string()), 1);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real), "[S]\r\nb\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(ProfileEditor, Utf16FileStaysUtf16OnDisk) {
    TempDir dir;
    const std::string utf16 = "\xFF\xFE[\0S\0]\0\r\0\n\0"s;
    const fs::path file = dir.write("u.inf", utf16);
    ProfileFunctions editor(dir.path());
    EXPECT_EQ(editor.WritePrivateProfileStringA("S", "R6", "v", file.string()), 1);
    EXPECT_EQ(readBytes(file), utf16 +
                                   "R\0"
                                   "6\0=\0v\0\r\0\n\0"s);
}

TEST(ProfileEditor, AFolderInPlaceOfTheFileIsAFailureNotACrash) {
    TempDir dir;
    fs::create_directory(dir.path() / "install.ini");
    ProfileFunctions editor(dir.path());
    const std::string name = (dir.path() / "install.ini").string();
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "v", name), 0);
    EXPECT_TRUE(editor.lastError());
    EXPECT_TRUE(fs::is_directory(name));
}
