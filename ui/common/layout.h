#pragma once
// Every window's client area and every control's place and size in twips, one row per control.
// Both front ends build their windows from these rows; twipsToPixels() gives the pixels.

#include <array>
#include <span>
#include <stdexcept>
#include <string_view>

#include "colours.h"
#include "texts.h"
#include "twips.h"

namespace quillmere::ui::common {

enum class ControlKind { folderList, driveList, pushButton, picture, banner, label, listBox, webBrowser };

struct ControlRow {
    std::string_view name;
    ControlKind kind;
    std::string_view text;  // caption or initial text; empty where the control has none
    TwipsRect twips;
};

// How a window's border behaves; every window has the close box.
enum class WindowFrame {
    fixedSingle,  // cannot be resized; no minimise or maximise box
    fixedDialog,  // the same, as a dialog
    sizable,      // resizable, with minimise and maximise boxes
};

struct WindowRow {
    std::string_view name;
    std::string_view caption;  // empty: made at run time (Form3: webHelpCaption())
    WindowFrame frame;
    bool taskBarEntry;
    int clientWidth;  // twips
    int clientHeight;
};

// A straight line of one pixel from (x1, y1) to (x2, y2), both ends included.
struct LineRow {
    std::string_view name;
    int x1, y1, x2, y2;  // twips
    Rgb colour;
};

using K = ControlKind;
using F = WindowFrame;

// The tables keep their columns aligned, for comparing them row by row.
// clang-format off

// The three windows: name, caption, frame, task-bar entry, client area width and height.
inline constexpr WindowRow kForm1{"Form1", "Quillmeres automatic driver modder", F::fixedSingle, true,  9120,  4575};
inline constexpr WindowRow kForm2{"Form2", "HELP!",                              F::fixedDialog, false, 5160,  5430};
inline constexpr WindowRow kForm3{"Form3", "",                                   F::sizable,     true,  13005, 9570};

// The main window. The banner lies beneath every other control.
inline constexpr std::array<ControlRow, 7> kForm1Visible{{
    // name             kind           text                    left  top   width height
    {"Dir1",            K::folderList, "",                    {360,  120,  2415, 2115}},
    {"Drive1",          K::driveList,  "",                    {360,  2280, 2415, 315}},
    {"Command1",        K::pushButton, "Contact me",          {2880, 240,  1935, 615}},
    {"Command2",        K::pushButton, "Need help? click me", {4920, 240,  1935, 615}},
    {"cmGO",            K::pushButton, "Start modding",       {3840, 960,  1935, 615}},
    {"Picture1",        K::picture,    "",                    {6840, 240,  2085, 2070}},
    {"ShockwaveFlash1", K::banner,     "",                    {0,    0,    9135, 4695}},
}};

// Window state the scanner writes and the run reads, below the bottom edge of the client area.
inline constexpr std::array<ControlRow, 7> kForm1Hidden{{
    // name    kind        initial text  left  top   width height
    {"Label1", K::label,   "Label1",    {240,  5640, 2295, 1095}},
    {"Label2", K::label,   "Label2",    {3480, 5640, 2175, 735}},
    {"Label3", K::label,   "Label3",    {3480, 6600, 2655, 975}},
    {"Label4", K::label,   "Label4",    {3360, 7800, 3615, 615}},
    {"Label5", K::label,   "Label5",    {6960, 6480, 1935, 615}},
    {"List1",  K::listBox, "",          {240,  9960, 6375, 2205}},
    {"List2",  K::listBox, "",          {7200, 5280, 2175, 450}},
}};

// The help window, from top to bottom. Label1's text is helpLinkText() of the help address.
inline constexpr std::array<ControlRow, 8> kForm2Controls{{
    // name      kind           text               left  top   width height
    {"Label1",   K::label,      "",               {1200, 240,  3375, 495}},
    {"Label2",   K::label,      kHelpStepFirst,   {480,  840,  4575, 615}},
    {"Label3",   K::label,      kHelpStep2,       {480,  1560, 4575, 495}},
    {"Label4",   K::label,      kHelpStep3,       {480,  2040, 4575, 495}},
    {"Label5",   K::label,      kHelpStep4,       {480,  2640, 4575, 615}},
    {"Label7",   K::label,      kHelpStep6,       {480,  3240, 4215, 855}},
    {"Label8",   K::label,      kHelpClosingLine, {480,  4320, 4575, 495}},
    {"Command1", K::pushButton, "Close me",       {1440, 4680, 1815, 615}},
}};

// Underlines the address, which wraps onto Label1's second line.
inline constexpr LineRow kForm2Line1{"Line1", 1200, 600, 3360, 600, kLine1Blue};

// The web-help window; its browser keeps this size however the window is resized.
inline constexpr ControlRow kForm3WebBrowser1{"WebBrowser1", K::webBrowser, "", {0, 0, 12975, 9135}};

// clang-format on

// The row of `name` in `table`; a name that is not there is a programming error.
constexpr const ControlRow& findControl(std::span<const ControlRow> table, std::string_view name) {
    for (const ControlRow& row : table) {
        if (row.name == name) return row;
    }
    throw std::out_of_range("no control of that name in the table");
}

// Form1's controls, visible or hidden, by name.
constexpr const ControlRow& form1Control(std::string_view name) {
    for (const ControlRow& row : kForm1Visible) {
        if (row.name == name) return row;
    }
    return findControl(kForm1Hidden, name);
}

constexpr const ControlRow& form2Control(std::string_view name) {
    return findControl(kForm2Controls, name);
}

// A one-pixel line as a rectangle of pixels: both end points included.
constexpr PixelRect linePixels(const LineRow& line, int dpi = kBaseDpi) {
    const int x1 = twipsToPixels(line.x1, dpi);
    const int y1 = twipsToPixels(line.y1, dpi);
    const int x2 = twipsToPixels(line.x2, dpi);
    const int y2 = twipsToPixels(line.y2, dpi);
    return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, (x1 < x2 ? x2 - x1 : x1 - x2) + 1,
            (y1 < y2 ? y2 - y1 : y1 - y2) + 1};
}

}  // namespace quillmere::ui::common
