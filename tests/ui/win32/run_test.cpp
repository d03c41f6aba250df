// Whole runs from the "Start modding" button through the Win32 host: the sample package modded
// byte for byte as expected, the run's boxes answered by the test (through the seam, and the
// system's own boxes found and answered by a thread), refusals and errors that end the run.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "package_fixture.h"
#include "platform.h"
#include "scan_reporter.h"
#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;
namespace fs = std::filesystem;
using quillmere::testing::readBytes;
using quillmere::testing::testData;

namespace {

// The package as scripts/make-sample-package.sh makes it when the test script passes one in
// (QUILLMERE_WIN32_SAMPLE_PACKAGE, a copy made for this test), else the same files written here.
struct Package {
    fs::path root, installIni, c2, cx, setup;
};

Package samplePackageIn(const fs::path& root) {
    if (const char* made = std::getenv("QUILLMERE_WIN32_SAMPLE_PACKAGE"); made && *made) {
        fs::copy(made, root, fs::copy_options::recursive);
        const fs::path driver = root / "Driver";
        return {root, driver / "install.ini", driver / "2KXP_INF" / "C2_59642.INF",
                driver / "2KXP_INF" / "CX_59642.INF", driver / "setup.exe"};
    }
    const auto written = quillmere::testing::writeSamplePackage(root);
    return {root, written.installIni, written.c2Inf, written.cxInf, written.setup};
}

void expectModdedAsExpected(const Package& package) {
    EXPECT_EQ(readBytes(package.installIni), testData("expected/install.ini"));
    EXPECT_EQ(readBytes(package.c2), testData("expected/C2_59642.INF"));
    EXPECT_EQ(readBytes(package.cx), testData("expected/CX_59642.INF"));
}

class FailingAccessor : public quillmere::FileSystemAccessor {
  public:
    std::vector<quillmere::ScannedFile> listFiles(const std::string& folder) override {
        throw quillmere::ScanError("Cannot list " + folder + ": device not ready");
    }
};

}  // namespace

TEST(Win32Run, TheSamplePackageIsModdedAndEveryBoxSaysWhatTheRunDid) {
    Form1Harness harness;
    const Package package = samplePackageIn(harness.dir.path() / "ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->cmGO().hwnd(), BM_CLICK, 0, 0);

    const std::string setup = form->host().slotText(quillmere::FoundSlot::Label5);
    EXPECT_EQ(fs::path(setup), package.setup);
    EXPECT_EQ(harness.boxes.texts(), (std::vector<std::string>{
                                         "Modded the install.ini",
                                         "modded the C2xxxinf file",
                                         "modded the CXxxxinf file",
                                         "Modding complete, thanks for using the modder!",
                                         "Do you want to install the drivers now?",
                                         "You can always start the setup from --> " + setup,
                                     }));
    const ShownBox& question = harness.boxes.shown[4];
    EXPECT_TRUE(question.question);
    EXPECT_EQ(question.title, "Install now?");
    for (const ShownBox& box : harness.boxes.shown) {
        EXPECT_TRUE(box.ownerVisible) << box.text;
        EXPECT_TRUE(box.waitCursor) << box.text;  // the run holds the thread
    }
    expectModdedAsExpected(package);
    // What the scanner reported stays in the window's hidden state.
    EXPECT_FALSE(form->host().hidden().list1().empty());
    EXPECT_EQ(form->host().hidden().list1().size(), form->host().hidden().list2().size());
    // The run ended the program.
    EXPECT_EQ(harness.lastClosed, 1);
    EXPECT_FALSE(form->exists());
}

TEST(Win32Run, APackageBelowACyrillicFolderIsModded) {
    Form1Harness harness;
    const std::string folder = harness.root() + "\\Пользователь";
    const Package package = samplePackageIn(quillmere::platform::toPath(folder));
    harness.makeFolder("ati");  // no start-up message
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    form->dir1().setPath(folder);
    ::SendMessageW(form->cmGO().hwnd(), BM_CLICK, 0, 0);

    const std::string setup = form->host().slotText(quillmere::FoundSlot::Label5);
    EXPECT_EQ(setup, folder + "\\Driver\\setup.exe");
    ASSERT_EQ(harness.boxes.texts().size(), 6u);
    EXPECT_EQ(harness.boxes.texts()[3], "Modding complete, thanks for using the modder!");
    EXPECT_EQ(harness.boxes.texts()[5], "You can always start the setup from --> " + setup);
    expectModdedAsExpected(package);
}

TEST(Win32Run, TheSystemsOwnBoxesAreShownAndAnsweredAsTheyCome) {
    Form1Harness harness;
    const Package package = samplePackageIn(harness.dir.path() / "ati");
    harness.setup.boxes = nullptr;  // the real boxes, answered from another thread
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    const std::string setup = (package.setup).string();
    BoxAnswerer answerer(IDNO);
    ::SendMessageA(form->cmGO().hwnd(), BM_CLICK, 0, 0);
    const auto seen = answerer.stop();

    ASSERT_EQ(seen.size(), 6u);
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u}) {
        EXPECT_EQ(seen[i].title, "Quillmere Mod Tool") << i;
        EXPECT_FALSE(seen[i].hasYesNo) << i;
        EXPECT_FALSE(seen[i].hasIcon) << i;
        EXPECT_TRUE(seen[i].mainWindowVisible) << i;
    }
    EXPECT_EQ(seen[0].text, "Modded the install.ini");
    EXPECT_EQ(seen[3].text, "Modding complete, thanks for using the modder!");
    EXPECT_EQ(seen[4].title, "Install now?");
    EXPECT_EQ(seen[4].text, "Do you want to install the drivers now?");
    EXPECT_TRUE(seen[4].hasYesNo);
    EXPECT_TRUE(seen[4].hasIcon);
    EXPECT_EQ(seen[4].defaultButton, IDYES);
    EXPECT_EQ(seen[5].text, "You can always start the setup from --> " + setup);
    expectModdedAsExpected(package);
    EXPECT_EQ(harness.lastClosed, 1);
    EXPECT_EQ(harness.windows.count(), 0u);
}

TEST(Win32Run, ASetupThatCannotBeStartedEndsTheRunNamingTheError) {
    Form1Harness harness;
    const Package package = samplePackageIn(harness.dir.path() / "ati");
    harness.boxes.answerYes = true;
    std::vector<std::string> started;
    harness.setup.run.startProgram = [&started](const std::string& path) {
        started.push_back(path);
        throw std::runtime_error("Cannot start " + path + ": not a program");
    };
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->cmGO().hwnd(), BM_CLICK, 0, 0);

    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(fs::path(started[0]), package.setup);
    ASSERT_EQ(harness.boxes.texts().size(), 6u);
    EXPECT_EQ(harness.boxes.texts().back(), "Cannot start " + started[0] + ": not a program");
    expectModdedAsExpected(package);  // every write was made before the start
    EXPECT_EQ(harness.lastClosed, 1);
}

TEST(Win32Run, AFolderWithoutInstallIniIsRefusedAndNothingChanges) {
    Form1Harness harness;
    const Package package = samplePackageIn(harness.dir.path() / "ati");
    fs::remove(package.installIni);
    const std::string c2Before = readBytes(package.c2);
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->command2().hwnd(), BM_CLICK, 0, 0);
    ASSERT_NE(form->helpWindows().help(), nullptr);
    ::SendMessageA(form->cmGO().hwnd(), BM_CLICK, 0, 0);

    EXPECT_EQ(
        harness.boxes.texts(),
        std::vector<std::string>{
            "This directory does not contain the correct files, please check the directory and try again"});
    EXPECT_EQ(readBytes(package.c2), c2Before);
    // The help window that was open closed with the program.
    EXPECT_EQ(form->helpWindows().help(), nullptr);
    EXPECT_EQ(harness.lastClosed, 1);
}

TEST(Win32Run, AnErrorThatEscapesTheRunIsNamedAndEndsTheProgram) {
    Form1Harness harness;
    harness.makeFolder("ati");
    harness.setup.run.makeAccessor = [] { return std::make_unique<FailingAccessor>(); };
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->cmGO().hwnd(), BM_CLICK, 0, 0);

    ASSERT_EQ(harness.boxes.texts().size(), 1u);
    EXPECT_NE(harness.boxes.texts()[0].find("device not ready"), std::string::npos);
    EXPECT_EQ(harness.lastClosed, 1);
    EXPECT_FALSE(form->exists());
}
