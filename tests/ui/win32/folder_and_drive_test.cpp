// The folder list and the drive list on a tree the test makes: path lines and subfolders, a
// click that only highlights, a double click or Enter that opens, and drive changes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform.h"
#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;

namespace {

std::vector<std::string> lineTexts(const FolderList& list) {
    std::vector<std::string> texts;
    for (const auto& line : list.lines()) texts.push_back(line.text);
    return texts;
}

int lineOf(const FolderList& list, const std::string& text) {
    for (std::size_t i = 0; i < list.lines().size(); ++i) {
        if (list.lines()[i].text == text) return static_cast<int>(i);
    }
    return -1;
}

LPARAM centreOf(HWND list, int index) {
    RECT item;
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

class FolderListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder : {"ati\\Driver", "ati\\b", "ati\\A", "ati\\hidden"})
            harness.makeFolder(folder);
        std::ofstream(harness.dir.path() / "ati" / "setup.exe") << "a file, not a folder";
        ::SetFileAttributesA((harness.package() + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        form = harness.makeForm();
        ASSERT_TRUE(form->start());
    }

    Form1Harness harness;
    std::unique_ptr<Form1> form;
};

void doubleClick(HWND list, int index) {
    // As the mouse makes it: press, release, the second press as a double click, release.
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(list, index));
    ::SendMessageA(list, WM_LBUTTONUP, 0, centreOf(list, index));
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, centreOf(list, index));
    ::SendMessageA(list, WM_LBUTTONUP, 0, centreOf(list, index));
}

}  // namespace

TEST_F(FolderListTest, ThePathComesLinePerLevelThenTheSubfoldersInNameOrder) {
    const FolderList& dir1 = form->dir1();
    std::vector<std::string> levels;
    for (std::size_t at = harness.package().find('\\'); at != std::string::npos;
         at = harness.package().find('\\', at + 1)) {
        levels.push_back(harness.package().substr(0, at == 2 ? 3 : at));
    }
    levels.push_back(harness.package());
    ASSERT_GE(levels.size(), 2u);
    EXPECT_EQ(levels.front(), "C:\\");

    std::vector<std::string> expected{"C:\\"};
    for (std::size_t i = 1; i < levels.size(); ++i)
        expected.push_back(levels[i].substr(levels[i].rfind('\\') + 1));
    for (const char* sub : {"A", "b", "Driver"}) expected.push_back(sub);  // no file, no hidden folder
    EXPECT_EQ(lineTexts(dir1), expected);

    for (std::size_t i = 0; i < dir1.lines().size(); ++i) {
        const bool onPath = i < levels.size();
        EXPECT_EQ(dir1.lines()[i].onPath, onPath) << i;  // the open-folder icon
        EXPECT_EQ(dir1.lines()[i].level, onPath ? static_cast<int>(i) : static_cast<int>(levels.size())) << i;
    }
    // The open folder is the highlighted line at first.
    EXPECT_EQ(dir1.highlighted(), static_cast<int>(levels.size()) - 1);
}

TEST_F(FolderListTest, AClickOnlyHighlightsADoubleClickOpens) {
    HWND list = form->dir1().hwnd();
    const int b = lineOf(form->dir1(), "b");
    ASSERT_GE(b, 0);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(list, b));
    ::SendMessageA(list, WM_LBUTTONUP, 0, centreOf(list, b));
    pump(harness.windows, 20);
    EXPECT_EQ(form->dir1().highlighted(), b);
    EXPECT_EQ(form->host().chosenFolder(), harness.package());  // only highlighted

    doubleClick(list, b);
    pump(harness.windows, 20);
    EXPECT_EQ(form->host().chosenFolder(), harness.package() + "\\b");
    EXPECT_EQ(form->dir1().lines().back().text, "b");
    EXPECT_TRUE(form->dir1().lines().back().onPath);

    // Up again: a double click on a line of the path opens that folder.
    const int ati = lineOf(form->dir1(), "ati");
    doubleClick(list, ati);
    pump(harness.windows, 20);
    EXPECT_EQ(form->host().chosenFolder(), harness.package());
}

TEST_F(FolderListTest, EnterOpensTheHighlightedFolder) {
    HWND list = form->dir1().hwnd();
    ::SetFocus(list);
    const int driver = lineOf(form->dir1(), "Driver");
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(driver), 0);
    EXPECT_EQ(form->host().chosenFolder(), harness.package());
    // Through the message loop, which also handles dialog keys.
    ::PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0);
    pump(harness.windows, 20);
    EXPECT_EQ(form->host().chosenFolder(), harness.package() + "\\Driver");
}

TEST_F(FolderListTest, AFolderThatCannotBeListedStillShowsWhereItIs) {
    form->dir1().setPath(harness.package() + "\\gone\\deeper\\");
    EXPECT_EQ(form->dir1().path(), harness.package() + "\\gone\\deeper");
    EXPECT_EQ(form->dir1().lines().back().text, "deeper");
    EXPECT_TRUE(form->dir1().lines().back().onPath);
}

TEST(FolderListUnicode, ACyrillicFolderIsShownAndOpensWhateverTheCodePage) {
    // "User" in Russian: no Western or Japanese code page holds it.
    const std::string name = "Пользователь";
    Form1Harness harness;
    std::filesystem::create_directories(
        quillmere::platform::toPath(harness.package() + "\\" + name + "\\Драйвер"));
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    HWND list = form->dir1().hwnd();
    const int line = lineOf(form->dir1(), name);
    ASSERT_GE(line, 0) << "not listed";

    ::SetFocus(list);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    pump(harness.windows, 20);
    EXPECT_EQ(form->host().chosenFolder(), harness.package() + "\\" + name);
    // Listing it found what is inside: the path reached the system intact.
    EXPECT_EQ(form->dir1().lines().back().text, "Драйвер");
}

TEST(DriveList, ShowsLettersAndLabelsAndMovesTheFolderListOnEveryChange) {
    EXPECT_EQ(quillmere::ui::common::driveLabel("C:\\", "SYSTEM"), "c: [SYSTEM]");
    EXPECT_EQ(quillmere::ui::common::driveLabel("D:\\", ""), "d:");

    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    HWND combo = form->drive1().hwnd();
    ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(form->drive1().drives()[0].label, "c: [SYSTEM]");
    EXPECT_EQ(::SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(::GetWindowLongA(combo, GWL_STYLE) & CBS_DROPDOWNLIST);

    // The user picks drive Z: the list tells its window, which moves the folder list.
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    ::SendMessageA(form->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(form->drive1().drive(), "Z:\\");
    EXPECT_EQ(form->host().chosenFolder(), "Z:\\");
    EXPECT_EQ(form->dir1().lines().front().text, "Z:\\");

    // The program sets a drive that is not listed: it is added and chosen.
    form->drive1().setDrive("q:\\");
    EXPECT_EQ(form->drive1().drive(), "q:\\");
    EXPECT_EQ(form->drive1().drives().back().label, "q:");
    EXPECT_EQ(form->host().chosenFolder(), "q:\\");
}

TEST(DriveList, TheMachinesDrivesIncludeDriveC) {
    const std::vector<Drive> drives = listDrives();
    ASSERT_FALSE(drives.empty());
    const auto c =
        std::find_if(drives.begin(), drives.end(), [](const Drive& d) { return d.root == "C:\\"; });
    ASSERT_NE(c, drives.end());
    EXPECT_EQ(c->label.substr(0, 2), "c:");
}
