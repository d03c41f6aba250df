// The package edit on its own: a text the caller has read is edited without a second read, and a
// rollback holds and puts back originals where the editor's names lead, bare names included.

#include "package_edit.h"

#include <gtest/gtest.h>

#include "faulty_file_store.h"
#include "temp_dir.h"

using namespace quillmere;
using namespace quillmere::testing;
namespace fs = std::filesystem;

TEST(PackageEdit, ATextAlreadyReadIsEditedWithoutReadingTheFileAgain) {
    TempDir dir;
    const fs::path file = dir.write("C2_1.INF", "[S]\r\ndisk\r\n");
    FaultyFileStore store;
    ProfileEditor editor(dir.path(), store);
    PackageEdit edit(editor);
    // Unlike the disk, so that a second read would show.
    ASSERT_FALSE(edit.load(file.string(), profile::decodeProfile(std::string("[S]\r\nread\r\n"))));
    EXPECT_TRUE(store.reads.empty());
    EXPECT_EQ(edit.original(file.string()).text, "[S]\r\nread\r\n");

    edit.writeKey(file.string(), "S", "R6", "v");
    EXPECT_FALSE(edit.commit());
    EXPECT_EQ(readBytes(file), "[S]\r\nread\r\nR6=v\r\n");
    EXPECT_TRUE(store.reads.empty());
}

TEST(PackageEdit, BareNamesAreHeldAndPutBackInTheProfileDirectory) {
    for (const bool holds : {true, false}) {
        TempDir profileDir;
        const fs::path first = profileDir.write("Label2", "[WIN2K]\r\nR6=old\r\n");
        const fs::path second = profileDir.write("Label3", "[WINXP]\r\nR6=old\r\n");
        FaultyFileStore store;
        store.refuseHolds = !holds;
        store.failReplaceOf.insert(second.string());
        ProfileEditor editor(profileDir.path(), store);
        PackageEdit edit(editor);
        for (const char* name : {"Label2", "Label3"}) {
            ASSERT_FALSE(edit.load(name));
            edit.writeKey(name, "WIN2K", "R6", "new");
        }

        const auto failure = edit.commit();
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->file, "Label3");
        EXPECT_TRUE(failure->notRestored.empty());
        EXPECT_EQ(store.held, (std::vector<std::string>{first.string(), second.string()}));
        EXPECT_EQ(readBytes(first), "[WIN2K]\r\nR6=old\r\n") << holds;
        EXPECT_EQ(readBytes(second), "[WINXP]\r\nR6=old\r\n") << holds;
        // No second name stays beside them, and nothing went to the working folder.
        EXPECT_EQ(std::distance(fs::directory_iterator(profileDir.path()), fs::directory_iterator()), 2)
            << holds;
        EXPECT_FALSE(fs::exists("Label2"));
    }
}
