#include "device_settings_section.h"

#include <charconv>
#include <stdexcept>

#include "section_content.h"

namespace quillmere {

namespace {

using enum SettingType;

// The blanks only line the columns up in the file, but every one of them is part of the text.
// clang-format off
constexpr std::array<DeviceSettingRow, 79> kRows = {{
    // Row Value name                                         Type     Blanks                                            M6, M7, M9, M9plus, M10, M10plus, RS200M, U1
    { 1, "DALRULE_MOBILEFEATURES",                            Dword,   "15/4",                                           {"", "", "", "", "", "", "", "1"}},
    { 2, "DALRULE_NOTVANDLCDONCRTC",                          Dword,   "4/4; 13/4 in M10, M10plus, RS200M, U1",          {"1", "1 (a)", "1", "1", "1", "1", "1", "1"}},
    { 3, "DALOPTION_MinResBCD",                               Binary,  "9/3; 18/3 in M10, M10plus, RS200M, U1",          {"B1", "B1", "B1", "B1", "B1", "B1", "B1", "B1"}},
    { 4, "WmAgpMaxIdleClk",                                   Dword,   "13/4; 14/4 in M10, M10plus; 22/4 in RS200M, U1", {"0x20", "0x20", "0x20", "0x20", "0x20", "0x20", "0x20", "0x20"}},
    { 5, "DisableIDCT",                                       Dword,   "26/4",                                           {"", "", "0", "0", "0", "0", "", ""}},
    { 6, "ATIModeChange",                                     RunLine, "-",                                              {"yes", "yes", "yes", "yes", "yes", "yes", "yes", "yes"}},
    { 7, "DALR6 CRT_MaxModeInfo",                             Binary,  "18/0; 1/0 in RS200M",                            {"", "", "", "", "B2", "B2", "B2", ""}},
    { 8, "DisableFullAdapterInit",                            Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "0", "0", "0"}},
    { 9, "GCOOPTION_DigitalCrtInfo",                          Binary,  "4/3",                                            {"B3", "B3", "B3", "B3", "", "", "", ""}},
    {10, "MemInitLatencyTimer",                               Dword,   "9/4",                                            {"", "", "", "", "0x775771BF", "0x775771BF", "", ""}},
    {11, "GCORULE_FlickerWA",                                 Dword,   "13/1",                                           {"", "1", "", "1", "1", "1", "", ""}},
    {12, "DALRULE_ENABLESHOWDCLOWSLIDER",                     Dword,   "18/4",                                           {"0", "0", "", "", "", "", "", ""}},
    {13, "DALRULE_ENABLESHOWACSLIDER",                        Dword,   "18/4",                                           {"0", "0", "", "", "", "", "", ""}},
    {14, "DALNonStandardModesBCD",                            Binary,  "8/1 (b)",                                        {"B4", "B4", "B4", "", "", "", "", ""}},
    {15, "DALDTMCRTBCD960x720x0x75",                          Binary,  "5/1",                                            {"B5", "B5", "B5", "", "", "", "", ""}},
    {16, "DALDTMCRTBCD1360x1020x0x75",                        Binary,  "3/1",                                            {"B6", "B6", "B6", "", "", "", "", ""}},
    {17, "DALDTMCRTBCD1400x1050x0x75",                        Binary,  "3/1",                                            {"B7", "B7", "B7", "", "", "", "", ""}},
    {18, "DALDTMCRTBCD1520x1140x0x75",                        Binary,  "3/1",                                            {"B8", "B8", "B8", "", "", "", "", ""}},
    {19, "DALNonStandardModesBCD1",                           Binary,  "1/0",                                            {"", "", "", "B9", "B10", "B11", "B12", "B13"}},
    {20, "DALRestrictedModesBCD1",                            Binary,  "1/0",                                            {"", "", "", "B14", "B15", "", "B16", "B17"}},
    {21, "DALRestrictedModesBCD2",                            Binary,  "1/0",                                            {"", "", "", "B18", "", "", "B19", "B20"}},
    {22, "DALRULE_ADDNATIVEMODESTOMODETABLE",                 Dword,   "4/4",                                            {"", "", "", "1", "", "", "", ""}},
    {23, "DALRULE_NOFORCEBOOT",                               Dword,   "18/4",                                           {"0", "0", "0", "0", "0", "", "", ""}},
    {24, "DALRULE_ADDNATIVEMODESTOMODETABLE",                 Dword,   "4/4",                                            {"", "", "", "", "1", "", "", ""}},
    {25, "DisableDualView",                                   Dword,   "17/4",                                           {"0", "", "", "", "0", "0", "", ""}},
    {26, "ATIPOLLINTERVAL",                                   Dword,   "13/4",                                           {"", "", "", "2000", "", "", "", ""}},
    {27, "DisableDualviewWithHotKey",                         Dword,   "4/4",                                            {"", "", "", "", "1", "1", "", ""}},
    {28, "DALOPTION_MaxResBCD",                               Binary,  "18/3",                                           {"", "", "", "", "", "", "", "B21"}},
    {29, "DALRULE_GETLCDFakeEDID",                            Dword,   "3/4",                                            {"", "", "", "", "", "", "", "1"}},
    {30, "DALRULE_ENABLEDALRESUMESUPPORT",                    Dword,   "1/3",                                            {"1", "1", "1", "1", "1", "1", "1", "1"}},
    {31, "ExtEvent_EnablePolling",                            Dword,   "6/4",                                            {"1", "1", "1", "1", "1", "0", "1", "1"}},
    {32, "ExtEvent_EnableMouseRotation",                      Dword,   "6/4",                                            {"", "", "", "", "", "0", "0", ""}},
    {33, "ExtEvent_BroadcastDispChange",                      Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "0", "0", ""}},
    {34, "ExtEvent_EnablePowerPlay",                          Dword,   "6/4",                                            {"1", "1", "1", "1", "0", "1", "0", ""}},
    {35, "DALRULE_POWERPLAYFORCEREFRESHSCREEN",               Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "0", "0", ""}},
    {36, "ExtEvent_DriverMessageSupport",                     Dword,   "6/4",                                            {"", "", "", "", "", "1", "0", ""}},
    {37, "ExtEvent_UpdateAdapterInfoOnHK",                    Dword,   "6/4",                                            {"0", "0", "0", "0", "1", "0", "", "1"}},
    {38, "DALRULE_MOBILEFEATURES",                            Dword,   "15/4",                                           {"1", "1", "1", "1", "1", "1", "", "1"}},
    {39, "DALRULE_DISABLEDISPLAYSWITCHINGIFOVERLAYALLOCATED", Dword,   "10/4",                                           {"0", "0", "0", "", "", "", "", ""}},
    {40, "GCORULE_DisableHotKeyIfOverlayAllocated",           Dword,   "10/4",                                           {"", "", "", "", "", "", "0", "0"}},
    {41, "GCORULE_DisableHotKeyIfDDExclusiveMode",            Dword,   "10/4",                                           {"0", "0", "0", "0", "0", "1", "1", "1"}},
    {42, "ExtEvent_LCDSetMaxResOnDockChg",                    Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "1", "0", ""}},
    {43, "ExtEvent_LCDSetMaxResOnDockChg",                    Dword,   "6/4",                                            {"0", "", "", "", "", "", "", ""}},
    {44, "GCORULE_DisableGPIOPowerSaveMode",                  Dword,   "3/4",                                            {"1", "1", "1", "1", "1", "1", "", "1"}},
    {45, "DALRULE_NOCRTANDDFPONSAMECONTROLLER",               Dword,   "6/4",                                            {"1", "1", "1", "1", "1", "1", "", ""}},
    {46, "GCORULE_IntTMDSReduceBlankTiming",                  Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "1", "", ""}},
    {47, "TVDisableModes",                                    Dword,   "3/4",                                            {"0", "0", "0", "0", "0", "0", "0", ""}},
    {48, "DALRULE_LCDSHOWRESOLUTIONCHANGEMESSAGE",            Dword,   "1/1",                                            {"0", "0", "0", "0", "0", "0", "0", "0"}},
    {49, "HDTVRULE_HDTVGDOENABLE",                            Dword,   "8/4",                                            {"", "", "", "", "1", "", "", ""}},
    {50, "HDTVRULE_HDTVSIGNALFORMAT",                         Dword,   "3/4",                                            {"", "", "", "", "1", "", "", ""}},
    {51, "DALRULE_GETLCDFAKEEDID",                            Dword,   "1/1",                                            {"0", "0", "0", "0", "0", "1", "1", ""}},
    {52, "GCORULE_ENABLERMXFILTER",                           Dword,   "1/3",                                            {"", "", "1", "1", "1", "1", "0", ""}},
    {53, "OVShiftOddDown",                                    Dword,   "25/4",                                           {"0", "0", "0", "0", "0", "0", "", ""}},
    {54, "DALRULE_RESTRICT2ACTIVEDISPLAYS",                   Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "0", "", ""}},
    {55, "DALRULE_POWERPLAYOPTIONCOLORDEPTHREDUCTION",        Dword,   "6/4",                                            {"0", "0", "0", "0", "0", "1", "", ""}},
    {56, "R6LCD_FOLLOWLIDSTATE",                              Dword,   "3/4",                                            {"0", "0", "0", "0", "0", "0", "", ""}},
    {57, "DisableFakeOSDualViewNotify",                       Dword,   "6/4",                                            {"", "", "", "", "1", "1", "", ""}},
    {58, "DisableEnumAllChilds",                              Dword,   "8/4",                                            {"0", "0", "0", "0", "0", "", "", ""}},
    {59, "DALRULE_POWERPLAYSUSPENDSUPPORT",                   Dword,   "1/1",                                            {"0", "1", "0", "1", "0", "1", "", ""}},
    {60, "DisableSWInterrupt",                                Dword,   "14/4",                                           {"", "1", "1", "1", "1", "0", "", ""}},
    {61, "ExtEvent_BIOSEventByInterrupt",                     Dword,   "6/4",                                            {"", "0", "0", "0", "0", "1", "", ""}},
    {62, "DisableD3DExclusiveModeChange",                     Dword,   "13/4",                                           {"1", "1", "1", "1", "1", "0", "", ""}},
    {63, "DisableOpenGLExclusiveModeChange",                  Dword,   "13/4",                                           {"1", "1", "1", "1", "1", "0", "", ""}},
    {64, "ExtEvent_EnableChgLCDResOnHotKey",                  Dword,   "18/4",                                           {"0", "0", "0", "0", "0", "0", "", ""}},
    {65, "TVM6Flag",                                          Dword,   "3/4",                                            {"0", "0", "0", "0", "0", "0", "", ""}},
    {66, "DALRULE_POWERPLAYOPTIONENABLEDBYDEFAULT",           Dword,   "4/4",                                            {"1", "1", "1", "1", "0", "1", "", ""}},
    {67, "DisableDalValidateChild",                           Dword,   "8/4",                                            {"0", "0", "0", "0", "0", "0", "", ""}},
    {68, "DALRULE_SETMODEAFTERPOWERSTATECHANGE",              Dword,   "1/1",                                            {"0", "0", "0", "0", "0", "0", "", ""}},
    {69, "DALRULE_USEOLDPOWERPLAYINTERFACE",                  Dword,   "15/4",                                           {"1", "1", "0", "0", "1", "0", "", ""}},
    {70, "DALRULE_USEOLDPOWERPLAYPROPERTYPAGE",               Dword,   "15/4",                                           {"1", "0", "0", "0", "1", "0", "", ""}},
    {71, "DisableHW0DebugD3Hot",                              Dword,   "8/4",                                            {"0", "0", "", "", "", "", "", ""}},
    {72, "DALRULE_ENABLESHOWACSLIDER",                        Dword,   "18/4",                                           {"", "", "1", "1", "1", "0", "", ""}},
    {73, "DALRULE_ENABLESHOWDCLOWSLIDER",                     Dword,   "18/4",                                           {"", "", "1", "1", "1", "0", "", ""}},
    {74, "R6LCD_RETURNALLBIOSMODES",                          Dword,   "14/4",                                           {"0", "0", "0", "0", "0", "0", "", ""}},
    {75, "DisableAGPWrite",                                   Dword,   "15/4",                                           {"", "", "", "1", "", "", "", ""}},
    {76, "R6LCD_RETURNALLBIOSMODES",                          Dword,   "14/4",                                           {"", "", "", "", "", "0", "", ""}},
    {77, "ExtEvent_RestoreLargeDesktopOnResume",              Dword,   "6/4",                                            {"", "", "", "", "0", "0", "", ""}},
    {78, "ExtEvent_RestoreLargeDesktopOnResume",              Dword,   "6/4",                                            {"", "", "", "", "", "0", "", ""}},
    {79, "GCORULE_MemoryClockGraduallyChange",                Dword,   "6/1",                                            {"", "", "", "", "", "1", "", ""}},
}};

constexpr std::array<BinaryText, 21> kBinaryTexts = {{
    //Label Value name                    Families                                        Bytes Text
    {"B1",  "DALOPTION_MinResBCD",        "M6, M7, M9, M9plus, M10, M10plus, RS200M, U1",  8, "00,00,00,00,00,00,00,60"},
    {"B2",  "DALR6 CRT_MaxModeInfo",      "M10, M10plus, RS200M",                         20, "00,00,00,00,40,06,00,00,B0,04,00,00,00,00,00,00,3C,00,00,00"},
    {"B3",  "GCOOPTION_DigitalCrtInfo",   "M6, M7, M9, M9plus",                            8, "A3,38,61,C1,A3,38,61,B1"},
    {"B4",  "DALNonStandardModesBCD",     "M6, M7, M9",                                   96, "18,56,13,92,00,00,00,00, 18,00,14,40,00,00,00,00, 17,92,13,44,00,00,00,00, 16,00,12,00,00,00,00,70, 08,48,04,80,00,00,00,00, 07,20,04,80,00,00,00,00, 12,80,09,60,00,00,00,00, 07,20,05,76,00,00,00,00, 15,20,11,40,00,00,00,75, 13,60,10,20,00,00,00,75, 14,00,10,50,00,00,00,75, 09,60,07,20,00,00,00,75"},
    {"B5",  "DALDTMCRTBCD960x720x0x75",   "M6, M7, M9",                                   68, "00,00,00,00,00,00,12,80,00,00,09,60,00,00,10,16,00,00,01,04,00,00,07,52,00,00,07,20,00,00,07,21,00,00,00,03,00,00,72,19,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,ce,18"},
    {"B6",  "DALDTMCRTBCD1360x1020x0x75", "M6, M7, M9",                                   68, "00,00,00,00,00,00,18,40,00,00,13,60,00,00,14,56,00,00,01,44,00,00,10,65,00,00,10,20,00,00,10,21,00,00,00,03,00,01,46,97,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,a7,b1"},
    {"B7",  "DALDTMCRTBCD1400x1050x0x75", "M6, M7, M9",                                   68, "00,00,00,04,00,00,18,96,00,00,14,00,00,00,14,96,00,00,01,52,00,00,10,96,00,00,10,50,00,00,10,51,00,00,00,03,00,01,55,85,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,a3,4a"},
    {"B8",  "DALDTMCRTBCD1520x1140x0x75", "M6, M7, M9",                                   68, "00,00,00,00,00,00,20,64,00,00,15,20,00,00,16,24,00,00,01,68,00,00,11,90,00,00,11,40,00,00,11,41,00,00,00,03,00,01,84,21,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,95,78"},
    {"B9",  "DALNonStandardModesBCD1",    "M9plus",                                       48, "10,24,04,80,00,00,00,60,10,24,06,00,00,00,00,60,12,80,07,68,00,00,00,60,12,80,06,00,00,00,00,60,08,00,04,80,00,00,00,60,14,00,10,50,00,00,00,60"},
    {"B10", "DALNonStandardModesBCD1",    "M10",                                          48, "10,24,06,00,00,00,00,60,10,24,04,80,00,00,00,60,12,80,07,68,00,00,00,60,14,00,10,50,00,00,00,60,12,80,06,00,00,00,00,60,08,00,04,80,00,00,00,60"},
    {"B11", "DALNonStandardModesBCD1",    "M10plus",                                      48, "10,24,04,80,00,00,00,60,08,00,04,80,00,00,00,60,12,80,06,00,00,00,00,60,12,80,07,68,00,00,00,60,14,00,10,50,00,00,00,60,10,24,06,00,00,00,00,60"},
    {"B12", "DALNonStandardModesBCD1",    "RS200M",                                       48, "14,00,10,50,00,00,00,60,12,80,06,00,00,00,00,60,10,24,04,80,00,00,00,60,08,00,04,80,00,00,00,60,10,24,06,00,00,00,00,60,12,80,07,68,00,00,00,60"},
    {"B13", "DALNonStandardModesBCD1",    "U1",                                           48, "12,80,07,68,00,00,00,60,14,00,10,50,00,00,00,60,12,80,06,00,00,00,00,60,10,24,04,80,00,00,00,60,08,00,04,80,00,00,00,60,10,24,06,00,00,00,00,60"},
    {"B14", "DALRestrictedModesBCD1",     "M9plus",                                       64, "12,80,04,80,00,00,00,00,20,48,15,36,00,00,00,00,08,48,04,80,00,00,00,00,10,24,06,00,00,00,00,00,18,56,13,92,00,00,00,00,12,80,07,68,00,00,00,00,12,80,06,00,00,00,00,00,19,20,10,80,00,00,00,00"},
    {"B15", "DALRestrictedModesBCD1",     "M10",                                           8, "12,80,09,60,00,00,00,00"},
    {"B16", "DALRestrictedModesBCD1",     "RS200M",                                       64, "10,24,06,00,00,00,00,00,19,20,12,00,00,00,00,00,18,00,14,40,00,00,00,00,20,48,15,36,00,00,00,00,17,92,13,44,00,00,00,00,12,80,07,68,00,00,00,00,12,80,07,68,00,00,00,00,12,80,06,00,00,00,00,00"},
    {"B17", "DALRestrictedModesBCD1",     "U1",                                           64, "08,00,04,80,00,00,00,60,12,80,09,60,00,00,00,00,11,52,08,64,00,00,00,00,10,24,06,00,00,00,00,60,12,80,07,68,00,08,00,00,12,80,07,68,00,16,00,00,12,80,07,68,00,24,00,00,12,80,07,68,00,32,00,00"},
    {"B18", "DALRestrictedModesBCD2",     "M9plus",                                       56, "08,00,04,80,00,00,00,00,17,92,13,44,00,00,00,00,19,20,14,40,00,00,00,00,11,52,08,64,00,00,00,00,19,20,12,00,00,00,00,00,18,00,14,40,00,00,00,00,10,24,04,80,00,00,00,00"},
    {"B19", "DALRestrictedModesBCD2",     "RS200M",                                       48, "10,24,04,80,00,00,00,00,19,20,14,40,00,00,00,00,19,20,10,80,00,00,00,00,08,00,04,80,00,00,00,00,12,80,09,60,00,00,00,00,11,52,08,64,00,00,00,00"},
    {"B20", "DALRestrictedModesBCD2",     "U1",                                           16, "12,80,06,00,00,00,00,60,10,24,04,80,00,00,00,60"},
    {"B21", "DALOPTION_MaxResBCD",        "U1",                                            8, "16,00,12,00,00,00,00,00"},
}};
// clang-format on

constexpr std::string_view kRunLine =
    "HKLM,\"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\",ATIModeChange,,\"Ati2mdxx.exe\"";

constexpr std::string_view kLineBreakMark = " (a)";
constexpr std::string_view kNoRootBlankMark = " (b)";

struct Blanks {
    int afterName = 0;
    int afterType = 0;
};

Blanks parseBlankPair(std::string_view pair) {
    Blanks blanks;
    const std::size_t slash = pair.find('/');
    const char* end = pair.data() + pair.size();
    if (slash == std::string_view::npos ||
        std::from_chars(pair.data(), pair.data() + slash, blanks.afterName).ptr != pair.data() + slash ||
        std::from_chars(pair.data() + slash + 1, end, blanks.afterType).ptr != end) {
        throw std::logic_error("malformed blanks pair: " + std::string(pair));
    }
    return blanks;
}

bool namesFamily(std::string_view list, ChipFamily family) {
    while (!list.empty()) {
        const std::size_t comma = list.find(", ");
        if (list.substr(0, comma) == familyName(family)) return true;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
    }
    return false;
}

// "4/4; 13/4 in M10, M10plus": the first pair holds unless a later one names the family.
Blanks blanksFor(std::string_view rule, ChipFamily family) {
    if (rule.ends_with(kNoRootBlankMark)) rule.remove_suffix(kNoRootBlankMark.size());
    const std::size_t end = rule.find("; ");
    Blanks blanks = parseBlankPair(rule.substr(0, end));
    for (std::size_t start = end; start != std::string_view::npos;) {
        const std::size_t next = rule.find("; ", start + 2);
        const std::string_view part = rule.substr(start + 2, next - (start + 2));
        const std::size_t in = part.find(" in ");
        if (in != std::string_view::npos && namesFamily(part.substr(in + 4), family)) {
            blanks = parseBlankPair(part.substr(0, in));
        }
        start = next;
    }
    return blanks;
}

std::string_view binaryText(std::string_view label) {
    for (const BinaryText& binary : kBinaryTexts) {
        if (binary.label == label) return binary.text;
    }
    throw std::logic_error("unknown binary text: " + std::string(label));
}

std::string settingLine(const DeviceSettingRow& row, std::string_view data, ChipFamily family) {
    const Blanks blanks = blanksFor(row.blanks, family);
    std::string line = row.blanks.ends_with(kNoRootBlankMark) ? "HKR,," : "HKR,, ";
    line += row.valueName;
    line += ',';
    line.append(static_cast<std::size_t>(blanks.afterName), ' ');
    line += row.type == Dword ? "%REG_DWORD%" : "%REG_BINARY%";
    line += ',';
    line.append(static_cast<std::size_t>(blanks.afterType), ' ');
    line += row.type == Dword ? data : binaryText(data);
    return line;
}

}  // namespace

std::span<const DeviceSettingRow> deviceSettingRows() {
    return kRows;
}
std::span<const BinaryText> binaryTexts() {
    return kBinaryTexts;
}

std::string buildDeviceSettingsContent(ChipFamily family) {
    SectionContentBuilder builder;
    for (const DeviceSettingRow& row : kRows) {
        std::string_view cell = row.cells[familyIndex(family)];
        if (cell.empty()) continue;
        std::string entry;
        if (cell.ends_with(kLineBreakMark)) {
            cell.remove_suffix(kLineBreakMark.size());
            entry += kCrLf;
        }
        entry += row.type == RunLine ? std::string(kRunLine) : settingLine(row, cell, family);
        builder.addLine(entry);
    }
    // The closing line breaks become empty lines of the section body: one for M6, two for the rest.
    return builder.finish(family == ChipFamily::M6 ? "\r\n" : "\r\n\r\n");
}

}  // namespace quillmere
