#pragma once
// Section "ati2mtag_<family>_SoftwareDeviceSettings": the display driver's registry settings for
// one family, built from a table with one row per line position and one column per family.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "chip_family.h"

namespace quillmere {

enum class SettingType { Dword, Binary, RunLine };

struct DeviceSettingRow {
    int row;                     // position in the table, from 1
    std::string_view valueName;  // letter case and inner blank are part of the name
    SettingType type;
    // Blanks after the name's comma and after the type's comma, "a/b", then "; a/b in <families>"
    // for families that differ; " (b)" drops the blank after "HKR,,".
    std::string_view blanks;
    // Per family in kChipFamilies order: a number, a binary label "B1".."B21", "yes" for the run
    // line, empty for no line; " (a)" puts a line break in front of the entry.
    std::array<std::string_view, 8> cells;
};

struct BinaryText {
    std::string_view label;
    std::string_view valueName;
    std::string_view families;  // comma-separated family names that use the text
    int bytes;
    std::string_view text;
};

std::span<const DeviceSettingRow> deviceSettingRows();
std::span<const BinaryText> binaryTexts();

std::string buildDeviceSettingsContent(ChipFamily family);

}  // namespace quillmere
