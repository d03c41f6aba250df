// The help window and the web-help window as real windows: one of each however often they are
// asked for, their frames, texts and places, the link's cursor, and the browser's calls.

#include <gtest/gtest.h>

#include <cstdio>

#include "win32_test_support.h"

using namespace quillmere::win32;
using namespace quillmere::win32::testing;

namespace {

struct Expected {
    const char* text;
    Rect pixels;
};

// The help window's labels at 96 dpi, the double blanks belonging to the texts.
const Expected kHelpLabels[] = {
    {"- First of all you need a catalyst driver set.  Download the latest one from ati or from you preffered "
     "mirror.",
     {32, 56, 305, 41}},
    {"-  Step 2:  Extract the catalyst file", {32, 104, 305, 33}},
    {"- Step3:  If the installer tries to install the driver it will give you an error, don't worry, thats "
     "normal procedure.",
     {32, 136, 305, 33}},
    {"- Step4:  Start the modtool, select the ati folder and push the button!", {32, 176, 305, 41}},
    {"- Step6:  A few seconds later modding is done, and you can start the setup again by going in the ATI "
     "directory and starting setup.exe from the DRIVER folder, this time your drivers will install.",
     {32, 216, 281, 57}},
    {"One more thing! --> Good luck and happy modding", {32, 288, 305, 33}},
};

void expectRect(const Rect& actual, const Rect& expected, const std::string& what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.width, expected.width) << what;
    EXPECT_EQ(actual.height, expected.height) << what;
}

int windowsOfClass(const char* className) {
    struct Count {
        const char* name;
        int n = 0;
        static BOOL CALLBACK visit(HWND window, LPARAM self) {
            auto* count = reinterpret_cast<Count*>(self);
            char name[64] = "";
            ::GetClassNameA(window, name, sizeof name);
            if (std::string(name) == count->name && ::IsWindowVisible(window)) ++count->n;
            return TRUE;
        }
    } count{className};
    ::EnumWindows(&Count::visit, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

void click(HWND control, int x, int y) {
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class HelpWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        harness.makeFolder("ati");
        form = harness.makeForm();
        ASSERT_TRUE(form->start());
    }
    void pressHelp() {
        ::SendMessageA(form->command2().hwnd(), BM_CLICK, 0, 0);
        pump(harness.windows, 20);
    }

    Form1Harness harness;
    std::unique_ptr<Form1> form;
};

}  // namespace

TEST_F(HelpWindowsTest, OneHelpWindowHoweverOftenTheButtonIsPressed) {
    for (int i = 0; i < 3; ++i) pressHelp();
    EXPECT_EQ(form->helpWindows().helpCreated(), 1);
    EXPECT_EQ(windowsOfClass("QuillmereForm2"), 1);
    ASSERT_NE(form->helpWindows().help(), nullptr);
    EXPECT_EQ(::GetForegroundWindow(), form->helpWindows().help()->hwnd());
    // The main window stays usable beside it.
    EXPECT_TRUE(::IsWindowEnabled(form->hwnd()));

    // "Close me" discards it; the next press makes a fresh one with the same texts.
    ::SendMessageA(form->helpWindows().help()->command1().hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->helpWindows().help(), nullptr);
    EXPECT_EQ(windowsOfClass("QuillmereForm2"), 0);
    pressHelp();
    EXPECT_EQ(form->helpWindows().helpCreated(), 2);
    ASSERT_NE(form->helpWindows().help(), nullptr);
    EXPECT_EQ(textOf(form->helpWindows().help()->helpLabels()[1].hwnd()),
              "-  Step 2:  Extract the catalyst file");
}

TEST_F(HelpWindowsTest, TheHelpWindowsFrameTextsAndPlaces) {
    pressHelp();
    Form2& help = *form->helpWindows().help();
    const LONG style = ::GetWindowLongA(help.hwnd(), GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(help.hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(textOf(help.hwnd()), "HELP!");
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);  // no task-bar entry
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(::GetWindow(help.hwnd(), GW_OWNER), nullptr);
    expectRect(clientOf(help.hwnd()), {0, 0, 344, 362}, "client area");

    EXPECT_EQ(textOf(help.label1().hwnd()),
              "All help can also be found on www.example.org/quillmere/help.html");
    expectRect(placeOf(help.label1().hwnd()), {80, 16, 225, 33}, "Label1");
    expectRect(placeOf(help.line1().hwnd()), {80, 40, 145, 1}, "Line1");
    ASSERT_EQ(help.helpLabels().size(), std::size(kHelpLabels));
    for (std::size_t i = 0; i < help.helpLabels().size(); ++i) {
        EXPECT_EQ(textOf(help.helpLabels()[i].hwnd()), kHelpLabels[i].text);
        expectRect(placeOf(help.helpLabels()[i].hwnd()), kHelpLabels[i].pixels, kHelpLabels[i].text);
    }
    EXPECT_EQ(textOf(help.command1().hwnd()), "Close me");
    expectRect(placeOf(help.command1().hwnd()), {96, 312, 121, 41}, "Command1");

    // Light yellow behind everything, the blue line under the address.
    ::UpdateWindow(help.hwnd());
    HDC dc = ::GetDC(help.hwnd());
    EXPECT_EQ(::GetPixel(dc, 5, 5), RGB(255, 255, 128));
    EXPECT_EQ(::GetPixel(dc, 150, 40), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dc, 150, 41), RGB(255, 255, 128));
    ::ReleaseDC(help.hwnd(), dc);
}

TEST_F(HelpWindowsTest, TheLinkShowsTheHandCursorWithItsHotSpotAtTheFingertip) {
    pressHelp();
    Form2& help = *form->helpWindows().help();
    ::SendMessageA(help.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(help.label1().hwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hand = ::GetCursor();
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);
    BITMAP mask{};
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);

    // Over another label the window keeps its ordinary arrow.
    ::SendMessageA(help.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(help.helpLabels()[0].hwnd()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand);
}

TEST_F(HelpWindowsTest, TheLinkOpensOneWebHelpWindowThatNavigatesOncePerWindow) {
    pressHelp();
    HWND link = form->helpWindows().help()->label1().hwnd();
    click(link, 10, 5);
    pump(harness.windows, 50);
    click(link, 10, 5);  // a second click only brings it to the front
    pump(harness.windows, 50);

    EXPECT_EQ(form->helpWindows().webHelpCreated(), 1);
    EXPECT_EQ(windowsOfClass("QuillmereForm3"), 1);
    ASSERT_NE(form->helpWindows().webHelp(), nullptr);
    Form3& web = *form->helpWindows().webHelp();
    EXPECT_EQ(textOf(web.hwnd()), "WWW.EXAMPLE.ORG/QUILLMERE/HELP.HTML");
    const LONG style = ::GetWindowLongA(web.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              static_cast<LONG>(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_FALSE(::GetWindowLongA(web.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    expectRect(clientOf(web.hwnd()), {0, 0, 867, 638}, "client area");

    // The browser: made once, in place at 865 x 609, told the address once and nothing else.
    EXPECT_EQ(harness.browser.created, 1);
    EXPECT_EQ(harness.browser.rect.right - harness.browser.rect.left, 865);
    EXPECT_EQ(harness.browser.rect.bottom - harness.browser.rect.top, 609);
    EXPECT_EQ(harness.browser.navigated, std::vector<std::string>{"www.example.org/Quillmere/Help.html"});
    // What the system's control answered, whatever engine it has: the window keeps it.
    EXPECT_EQ(web.createResult(), harness.browser.createResult);
    ASSERT_EQ(harness.browser.navigateResults.size(), 1u);
    EXPECT_EQ(web.navigateResult(), harness.browser.navigateResults[0]);
    EXPECT_TRUE(SUCCEEDED(harness.browser.createResult)) << std::hex << harness.browser.createResult;
    std::printf("web browser control: create 0x%08lx, navigate 0x%08lx\n",
                static_cast<unsigned long>(harness.browser.createResult),
                static_cast<unsigned long>(harness.browser.navigateResults[0]));

    // Resizing leaves the browser as it is.
    ::SetWindowPos(web.hwnd(), nullptr, 0, 0, 1200, 900, SWP_NOMOVE | SWP_NOZORDER);
    pump(harness.windows, 20);
    EXPECT_EQ(web.browserRect().right, 865);
    EXPECT_EQ(web.browserRect().bottom, 609);
    if (HWND embedded = ::GetWindow(web.hwnd(), GW_CHILD))
        expectRect(placeOf(embedded), {0, 0, 865, 609}, "browser");

    // Closed and opened again: a new window, which navigates again.
    ::SendMessageA(web.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(harness.browser.closed, 1);
    ASSERT_NE(form->helpWindows().help(), nullptr);  // the help window stays
    click(form->helpWindows().help()->label1().hwnd(), 10, 5);
    pump(harness.windows, 50);
    EXPECT_EQ(form->helpWindows().webHelpCreated(), 2);
    EXPECT_EQ(harness.browser.navigated.size(), 2u);
}

TEST_F(HelpWindowsTest, APressThatEndsOutsideTheLinkOpensNothing) {
    pressHelp();
    HWND link = form->helpWindows().help()->label1().hwnd();
    ::SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ::SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(400, 5));
    pump(harness.windows, 20);
    EXPECT_EQ(form->helpWindows().webHelpCreated(), 0);
}
