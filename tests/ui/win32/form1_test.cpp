// The main window as a real window: start-up with and without the package folder, its frame,
// every control's place and look at 96 dpi, the tab order and the first focus.

#include <gtest/gtest.h>

#include <fstream>

#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;

namespace {

struct Expected {
    const char* name;
    Rect pixels;
};

// The layout's pixels at 96 dpi, as the form's tables give them beside the twips.
const Expected kVisible[] = {
    {"Dir1", {24, 8, 161, 141}},           {"Drive1", {24, 152, 161, 21}}, {"Command1", {192, 16, 129, 41}},
    {"Command2", {328, 16, 129, 41}},      {"cmGO", {256, 64, 129, 41}},   {"Picture1", {456, 16, 139, 138}},
    {"ShockwaveFlash1", {0, 0, 609, 313}},
};

void expectPlace(HWND control, const Rect& expected, const char* name) {
    ASSERT_NE(control, nullptr) << name;
    const Rect actual = placeOf(control);
    EXPECT_EQ(actual.left, expected.left) << name;
    EXPECT_EQ(actual.top, expected.top) << name;
    EXPECT_EQ(actual.width, expected.width) << name;
    EXPECT_EQ(actual.height, expected.height) << name;
}

COLORREF pixelOf(HWND window, int x, int y) {
    ::UpdateWindow(window);
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

// The face the system really draws with (not merely the one asked for) and the height asked for.
std::string fontFace(HWND control, LONG& height) {
    auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA info{};
    ::GetObjectA(font, sizeof info, &info);
    height = info.lfHeight;
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    ::GetTextFaceA(dc, sizeof face, face);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return face;
}

}  // namespace

TEST(Form1StartUp, WithThePackageFolderItOpensThereWithoutAWord) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());

    EXPECT_EQ(harness.boxes.texts(), std::vector<std::string>{});
    EXPECT_EQ(form->dir1().path(), harness.package());
    EXPECT_EQ(form->host().chosenFolder(), harness.package());
    EXPECT_EQ(form->drive1().drive(), "C:\\");
    EXPECT_TRUE(::IsWindowVisible(form->hwnd()));
    EXPECT_EQ(::GetFocus(), form->dir1().hwnd());
}

TEST(Form1StartUp, WithoutItTheMessageComesBeforeTheWindowAndTheFallbackOpens) {
    for (const bool asFile : {false, true}) {
        Form1Harness harness;
        if (asFile) std::ofstream(harness.dir.path() / "ati") << "not a folder";
        auto form = harness.makeForm();
        ASSERT_TRUE(form->start());

        ASSERT_EQ(harness.boxes.texts(),
                  std::vector<std::string>{"Make sure you select the ATI folder before you start."});
        EXPECT_FALSE(harness.boxes.shown[0].ownerVisible);
        EXPECT_FALSE(harness.boxes.shown[0].question);
        EXPECT_EQ(form->dir1().path(), harness.root());
        EXPECT_EQ(form->drive1().drive(), "C:\\");
        EXPECT_EQ(::GetFocus(), form->dir1().hwnd());
    }
}

TEST(Form1StartUp, TheRealMessageBoxIsAnsweredBeforeTheWindowShows) {
    Form1Harness harness;
    harness.setup.boxes = nullptr;  // the system's own box, found and answered by a thread
    BoxAnswerer answerer(IDOK);
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    const auto seen = answerer.stop();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, "Quillmere Mod Tool");
    EXPECT_EQ(seen[0].text, "Make sure you select the ATI folder before you start.");
    EXPECT_FALSE(seen[0].hasYesNo);
    EXPECT_FALSE(seen[0].hasIcon);
    EXPECT_FALSE(seen[0].mainWindowVisible);
    EXPECT_TRUE(::IsWindowVisible(form->hwnd()));
    EXPECT_EQ(form->dir1().path(), harness.root());
}

TEST(Form1Frame, FixedSingleBorderCloseBoxOnlyAndATaskBarEntry) {
    Form1Harness harness;
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ASSERT_EQ(Scale::ofSystem().dpi(), 96) << "the pixel values below are those of 96 dpi";

    const LONG style = ::GetWindowLongA(form->hwnd(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(form->hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(form->hwnd(), GW_OWNER), nullptr);
    EXPECT_EQ(textOf(form->hwnd()), "Quillmeres automatic driver modder");
    const Rect client = clientOf(form->hwnd());
    EXPECT_EQ(client.width, 608);
    EXPECT_EQ(client.height, 305);
    EXPECT_NE(::GetClassLongPtrA(form->hwnd(), GCLP_HICON), 0u);

    // The border cannot be dragged: a size request from the frame is not a sizing area.
    RECT frame;
    ::GetWindowRect(form->hwnd(), &frame);
    const LRESULT hit =
        ::SendMessageA(form->hwnd(), WM_NCHITTEST, 0, MAKELPARAM(frame.right - 1, frame.bottom - 1));
    EXPECT_NE(hit, HTBOTTOMRIGHT);
}

TEST(Form1Layout, EveryControlSitsInItsPlaceWithItsText) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());

    for (const Expected& control : kVisible)
        expectPlace(form->controlNamed(control.name), control.pixels, control.name);
    EXPECT_EQ(textOf(form->command1().hwnd()), "Contact me");
    EXPECT_EQ(textOf(form->command2().hwnd()), "Need help? click me");
    EXPECT_EQ(textOf(form->cmGO().hwnd()), "Start modding");
    // The hidden controls are state, so nothing of theirs can come into view.
    EXPECT_EQ(form->controlNamed("Label1"), nullptr);
    EXPECT_EQ(form->controlNamed("List1"), nullptr);
    for (quillmere::FoundSlot slot : quillmere::kFoundSlots) {
        EXPECT_EQ(form->host().slotText(slot), std::string(quillmere::placeholderText(slot)));
    }
    EXPECT_EQ(form->host().hidden().label1(), "Label1");

    for (const char* name : {"Dir1", "Drive1", "Command1", "Command2", "cmGO"}) {
        LONG height = 0;
        EXPECT_EQ(fontFace(form->controlNamed(name), height), "Tahoma") << name;
        EXPECT_EQ(height, -11) << name;  // 8.25 pt at 96 dpi
    }
    // The banner lies beneath every other control.
    EXPECT_EQ(::GetWindow(form->banner().hwnd(), GW_HWNDNEXT), nullptr);
}

TEST(Form1Layout, TheListsAreLightYellowAndTheBannerSlateBlue) {
    Form1Harness harness;
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    harness.boxes.shown.clear();
    pump(harness.windows, 100);

    const COLORREF yellow = RGB(255, 255, 128);
    // Below the last folder line of the list, and inside the drive list's field.
    EXPECT_EQ(pixelOf(form->dir1().hwnd(), 60, 130), yellow);
    EXPECT_EQ(pixelOf(form->drive1().hwnd(), 120, 10), yellow);
    // A corner of the banner, where no spark goes.
    EXPECT_EQ(pixelOf(form->banner().hwnd(), 5, 300), RGB(77, 97, 134));
    // The logo's slate blue square.
    EXPECT_EQ(pixelOf(form->picture1().hwnd(), 2, 2), RGB(74, 97, 132));
}

TEST(Form1Keyboard, FocusStartsInDir1AndTabFollowsTheLayoutsOrder) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ASSERT_EQ(::GetFocus(), form->dir1().hwnd());

    const auto pressTab = [&] {
        HWND focus = ::GetFocus();
        ::PostMessageA(focus, WM_KEYDOWN, VK_TAB, 0);
        ::PostMessageA(focus, WM_KEYUP, VK_TAB, 0xC0000000);
        pump(harness.windows, 20);
        return ::GetFocus();
    };
    // The hidden List1 is a stop of its own: the window holds the focus there, no control.
    EXPECT_EQ(pressTab(), form->drive1().hwnd());
    EXPECT_EQ(pressTab(), form->hwnd());
    EXPECT_EQ(pressTab(), form->banner().hwnd());
    EXPECT_EQ(pressTab(), form->command1().hwnd());
    EXPECT_EQ(pressTab(), form->command2().hwnd());
    EXPECT_EQ(pressTab(), form->cmGO().hwnd());
    EXPECT_EQ(pressTab(), form->dir1().hwnd());

    // Shift+Tab goes back.
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_EQ(pressTab(), form->cmGO().hwnd());
    EXPECT_EQ(pressTab(), form->command2().hwnd());
    EXPECT_EQ(pressTab(), form->command1().hwnd());
    EXPECT_EQ(pressTab(), form->banner().hwnd());
    EXPECT_EQ(pressTab(), form->hwnd());
    EXPECT_EQ(pressTab(), form->drive1().hwnd());
    keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

TEST(Form1Lifecycle, ClosingTheMainWindowLeavesTheHelpWindowOpenUntilItClosesToo) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->command2().hwnd(), BM_CLICK, 0, 0);
    ASSERT_NE(form->helpWindows().help(), nullptr);

    ::SendMessageA(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->exists());
    ASSERT_NE(form->helpWindows().help(), nullptr);
    EXPECT_EQ(harness.lastClosed, 0);

    ::SendMessageA(form->helpWindows().help()->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->helpWindows().help(), nullptr);
    EXPECT_EQ(harness.lastClosed, 1);
}

TEST(Form1Lifecycle, EndProgramClosesEveryWindow) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->command2().hwnd(), BM_CLICK, 0, 0);
    form->helpWindows().showWebHelp();
    ASSERT_EQ(harness.windows.count(), 3u);

    form->host().endProgram();
    EXPECT_EQ(harness.windows.count(), 0u);
    EXPECT_FALSE(form->exists());
    EXPECT_EQ(form->helpWindows().help(), nullptr);
    EXPECT_EQ(form->helpWindows().webHelp(), nullptr);
    EXPECT_EQ(harness.lastClosed, 1);
    EXPECT_EQ(harness.browser.closed, 1);  // the browser let go while its window still existed
}

TEST(Form1Contact, ContactMeHandsTheMailLinkToTheShellAndShowsNothing) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    ::SendMessageA(form->command1().hwnd(), BM_CLICK, 0, 0);
    pump(harness.windows, 20);

    ASSERT_EQ(harness.shellCalls.size(), 1u);
    const ShellCall& call = harness.shellCalls[0];
    EXPECT_EQ(call.owner, form->hwnd());
    EXPECT_EQ(call.verb, "open");
    EXPECT_EQ(call.file, "mailto:author@example.org");
    EXPECT_TRUE(call.parametersNull);
    EXPECT_TRUE(call.directoryNull);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
    // The shell said it found nothing to open the link with; that is not looked at.
    EXPECT_EQ(harness.boxes.texts(), std::vector<std::string>{});
    EXPECT_TRUE(form->exists());
}

TEST(Form1Banner, ItAnimatesWhileVisibleAndItsReleaseOpensTheHelpPage) {
    Form1Harness harness;
    harness.makeFolder("ati");
    auto form = harness.makeForm();
    ASSERT_TRUE(form->start());
    const int before = form->banner().model().frame();
    pump(harness.windows, 450);
    EXPECT_GE(form->banner().model().frame() - before, 2);

    ::SendMessageA(form->banner().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 250));
    ::SendMessageA(form->banner().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(300, 250));
    ASSERT_EQ(harness.shellCalls.size(), 1u);
    EXPECT_EQ(harness.shellCalls[0].verb, "open");
    EXPECT_EQ(harness.shellCalls[0].file, "http://www.example.org/Quillmere/Help.html");
    // Released outside it: nothing.
    ::SendMessageA(form->banner().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(700, 250));
    EXPECT_EQ(harness.shellCalls.size(), 1u);

    ::ShowWindow(form->hwnd(), SW_HIDE);
    const int hidden = form->banner().model().frame();
    pump(harness.windows, 350);
    EXPECT_EQ(form->banner().model().frame(), hidden);
}
