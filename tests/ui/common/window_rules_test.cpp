// Rules both windows follow: where they open, how a drive is named, the folder list's levels
// and the keyboard order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drive_label.h"
#include "focus.h"
#include "folder_lines.h"
#include "startup_folders.h"

using namespace quillmere::ui::common;

namespace {

std::vector<std::string> paths(const std::vector<FolderLevel>& levels) {
    std::vector<std::string> out;
    for (const FolderLevel& level : levels) out.push_back(level.path);
    return out;
}

std::vector<std::string> texts(const std::vector<FolderLevel>& levels) {
    std::vector<std::string> out;
    for (const FolderLevel& level : levels) out.push_back(level.text);
    return out;
}

}  // namespace

TEST(WindowRulesTest, StartupFoldersOnWindowsAndElsewhere) {
    const StartupFolders windows = windowsStartupFolders();
    EXPECT_EQ(windows.systemDrive, "C:\\");
    EXPECT_EQ(windows.packageFolder, "c:\\ati\\");  // tested with its separator: a file does not count
    EXPECT_EQ(windows.packageOpen, "C:\\ati");
    EXPECT_EQ(windows.fallbackFolder, "C:\\");

    const StartupFolders home = homeStartupFolders("/home/ann");
    EXPECT_EQ(home.systemDrive, "/");
    EXPECT_EQ(home.packageFolder, "/home/ann/ati/");
    EXPECT_EQ(home.packageOpen, "/home/ann/ati");
    EXPECT_EQ(home.fallbackFolder, "/home/ann");
    // A home given with a trailing separator, or the root itself, makes no double separator.
    EXPECT_EQ(homeStartupFolders("/home/ann/").packageOpen, "/home/ann/ati");
    EXPECT_EQ(homeStartupFolders("/home/ann/").fallbackFolder, "/home/ann");
    EXPECT_EQ(homeStartupFolders("/").packageFolder, "/ati/");
    EXPECT_EQ(homeStartupFolders("/").fallbackFolder, "/");
}

TEST(WindowRulesTest, DriveLabels) {
    EXPECT_EQ(driveLabel("C:\\", "SYSTEM"), "c: [SYSTEM]");
    EXPECT_EQ(driveLabel("D:\\", ""), "d:");
    EXPECT_EQ(driveLabel("e:/", "Data Disk"), "e: [Data Disk]");
    // A mount point is shown as it is, whatever its name.
    EXPECT_EQ(driveLabel("/", ""), "/");
    EXPECT_EQ(driveLabel("/media/usb", "STICK"), "/media/usb");
    EXPECT_EQ(driveLabel("1:\\", ""), "1:\\");
}

TEST(WindowRulesTest, FolderLevelsFromTheDriveDown) {
    const auto windows = folderLevels("C:\\ati\\Driver\\2KXP_INF", '\\');
    EXPECT_EQ(paths(windows),
              (std::vector<std::string>{"C:\\", "C:\\ati", "C:\\ati\\Driver", "C:\\ati\\Driver\\2KXP_INF"}));
    EXPECT_EQ(texts(windows), (std::vector<std::string>{"C:\\", "ati", "Driver", "2KXP_INF"}));

    EXPECT_EQ(paths(folderLevels("C:\\", '\\')), std::vector<std::string>{"C:\\"});
    EXPECT_EQ(paths(folderLevels("/", '/')), std::vector<std::string>{"/"});
    EXPECT_EQ(texts(folderLevels("/home/ann", '/')), (std::vector<std::string>{"/", "home", "ann"}));
    EXPECT_EQ(paths(folderLevels("C:/ati", '/')), (std::vector<std::string>{"C:/", "C:/ati"}));
    // No separator at all: the one level it names.
    EXPECT_EQ(texts(folderLevels("ati", '/')), std::vector<std::string>{"ati"});
    // The other separator is part of a name, not a level.
    EXPECT_EQ(texts(folderLevels("/a\\b", '/')), (std::vector<std::string>{"/", "a\\b"}));
}

TEST(WindowRulesTest, TabGoesRoundTheOrderBothWays) {
    std::vector<std::string> forward;
    std::string_view at = kForm1FirstFocus;
    for (std::size_t i = 0; i < kForm1TabOrder.size(); ++i) forward.emplace_back(at = nextTabStop(at, true));
    EXPECT_EQ(forward, (std::vector<std::string>{"Drive1", "List1", "ShockwaveFlash1", "Command1", "Command2",
                                                 "cmGO", "Dir1"}));
    std::vector<std::string> back;
    for (std::size_t i = 0; i < kForm1TabOrder.size(); ++i) back.emplace_back(at = nextTabStop(at, false));
    EXPECT_EQ(back, (std::vector<std::string>{"cmGO", "Command2", "Command1", "ShockwaveFlash1", "List1",
                                              "Drive1", "Dir1"}));
    // From something outside the order (the logo, nothing at all), Tab starts at the first stop.
    EXPECT_EQ(nextTabStop("Picture1", true), "Dir1");
    EXPECT_EQ(nextTabStop("", false), "Dir1");
}
