// Which files the scanner takes, in which order, and what it shows, over an in-memory tree so
// that the listing order is the test's to choose.

#include "package_scanner.h"

#include <gtest/gtest.h>

#include <map>

#include "recording_host.h"
#include "tree_accessor.h"

using namespace quillmere;
using quillmere::testing::RecordingHost;
using quillmere::testing::TreeAccessor;

namespace {

struct Scan {
    TreeAccessor tree;
    RecordingHost host{"/pkg"};
    void run(const std::string& root = "/pkg") { scanPackageFolder(tree, host, root); }
};

}  // namespace

TEST(PackageScanner, SizeLimitsAreStrict) {
    Scan s;
    s.tree.file("/pkg", "setup.exe", 100000);
    s.tree.file("/pkg", "install.ini", 1000);
    s.run();
    EXPECT_TRUE(s.host.list1.empty());
    EXPECT_EQ(s.host.slotText(FoundSlot::Label5), "Label5");
    EXPECT_EQ(s.host.slotText(FoundSlot::Label2), "Label2");

    Scan t;
    t.tree.file("/pkg", "setup.exe", 100001);
    t.tree.file("/pkg", "install.ini", 1001);
    t.run();
    EXPECT_EQ(t.host.list1, (std::vector<std::string>{"/pkg/setup.exe", "/pkg/install.ini"}));
    EXPECT_EQ(t.host.list2, (std::vector<std::string>{"100001", "1001"}));
    EXPECT_EQ(t.host.slotText(FoundSlot::Label5), "/pkg/setup.exe");
    EXPECT_EQ(t.host.slotText(FoundSlot::Label2), "/pkg/install.ini");
}

TEST(PackageScanner, FolderFiltersSkipFilesButTheWalkGoesOn) {
    Scan s;
    s.tree.folder("/pkg", "CPanel");
    s.tree.file("/pkg/CPanel", "Setup.exe", 200000);
    s.tree.file("/pkg/CPanel", "INSTALL.INI", 2000);  // only the setup program has the CP filter
    s.tree.folder("/pkg", "cpanel");
    s.tree.file("/pkg/cpanel", "SETUP.EXE", 200000);
    s.tree.folder("/pkg", "xWDMy");
    s.tree.file("/pkg/xWDMy", "C2_1.INF", 10);
    s.tree.folder("/pkg/xWDMy", "deeper");
    s.tree.file("/pkg/xWDMy/deeper", "CX_1.INF", 10);
    s.tree.folder("/pkg/xWDMy/deeper", "more");
    s.run();
    EXPECT_EQ(s.host.list1, (std::vector<std::string>{"/pkg/CPanel/INSTALL.INI", "/pkg/cpanel/SETUP.EXE"}));
    // Every file is shown, also those that the filters skip.
    EXPECT_EQ(s.host.scanPaths, (std::vector<std::string>{"/pkg/CPanel/Setup.exe", "/pkg/CPanel/INSTALL.INI",
                                                          "/pkg/cpanel/SETUP.EXE", "/pkg/xWDMy/C2_1.INF",
                                                          "/pkg/xWDMy/deeper/CX_1.INF"}));
    EXPECT_EQ(s.host.slotText(FoundSlot::Label3), "Label3");
    EXPECT_EQ(s.tree.opened, 2 * 6);  // every folder opened twice, the WDM subtree included
}

TEST(PackageScanner, WdmInTheChosenFolderItselfSkipsEverything) {
    Scan s;
    s.tree.file("/WDM/pkg", "install.ini", 5000);
    s.tree.file("/WDM/pkg", "C2.inf", 5);
    s.run("/WDM/pkg");
    EXPECT_TRUE(s.host.list1.empty());
    EXPECT_EQ(s.host.scanPaths.size(), 2u);
}

TEST(PackageScanner, NamesAreMatchedWithLetterCaseCounting) {
    Scan s;
    for (const char* name : {"C2INF", "c2_1.inf", "CX_1.INF", "cx.inf", "Cx_2.INF", "C2_3.Inf", "c2", "CXinF",
                             "Setup.EXE", "setup.EXE", "Install.ini", "INSTALL.ini"}) {
        s.tree.file("/pkg", name, 300000);
    }
    s.tree.file("/pkg", "SETUPL~1.EXE", 300000, "setup.exe");         // long name, alias matches
    s.tree.file("/pkg", "C2longname_driver.inf", 7, "C2LONG~1.INF");  // long name, alias is what counts
    s.tree.file("/pkg", "Install settings.ini", 3000, "install.ini");
    s.run();
    EXPECT_EQ(s.host.list1,
              (std::vector<std::string>{"/pkg/C2INF", "/pkg/c2_1.inf", "/pkg/CX_1.INF", "/pkg/cx.inf",
                                        "/pkg/SETUPL~1.EXE", "/pkg/C2longname_driver.inf",
                                        "/pkg/Install settings.ini"}));
    EXPECT_EQ(s.host.slotText(FoundSlot::Label3), "/pkg/C2longname_driver.inf");  // the last hit wins
    EXPECT_EQ(s.host.slotText(FoundSlot::Label4), "/pkg/cx.inf");
}

TEST(PackageScanner, DepthFirstFilesBeforeSubfoldersInListingOrder) {
    Scan s;
    s.tree.folder("/pkg", "b");
    s.tree.folder("/pkg", "a");
    s.tree.file("/pkg", "C2_root.INF", 1);
    s.tree.file("/pkg/b", "C2_b.INF", 2);
    s.tree.folder("/pkg/b", "inner");
    s.tree.file("/pkg/b/inner", "C2_inner.INF", 3);
    s.tree.file("/pkg/a", "C2_a.INF", 4);
    s.run();
    EXPECT_EQ(s.host.list1, (std::vector<std::string>{"/pkg/C2_root.INF", "/pkg/b/C2_b.INF",
                                                      "/pkg/b/inner/C2_inner.INF", "/pkg/a/C2_a.INF"}));
    EXPECT_EQ(s.host.slotText(FoundSlot::Label3), "/pkg/a/C2_a.INF");
}

TEST(PackageScanner, EmptyTreeKeepsEveryPlaceholder) {
    Scan s;
    s.tree.folder("/pkg", "empty");
    s.run();
    EXPECT_TRUE(s.host.list1.empty());
    EXPECT_TRUE(s.host.scanPaths.empty());
    for (const FoundSlot slot : kFoundSlots) EXPECT_EQ(s.host.slotText(slot), placeholderText(slot));
}

TEST(PackageScanner, AnErrorStopsTheWalkAndKeepsEarlierHits) {
    class FailingAccessor : public TreeAccessor {
      public:
        std::vector<std::string> listSubfolders(const std::string& folder) override {
            if (folder == "/pkg/bad") throw ScanError("Cannot list the folder /pkg/bad: Permission denied");
            return TreeAccessor::listSubfolders(folder);
        }
    };
    FailingAccessor tree;
    RecordingHost host("/pkg");
    tree.file("/pkg", "C2_1.INF", 1);
    tree.folder("/pkg", "bad");
    tree.folder("/pkg", "after");
    tree.file("/pkg/after", "CX_1.INF", 1);
    EXPECT_THROW(scanPackageFolder(tree, host, "/pkg"), ScanError);
    EXPECT_EQ(host.list1, std::vector<std::string>{"/pkg/C2_1.INF"});
}
