// Paths on Windows are UTF-8 inside the program and UTF-16 at the system, whatever the ANSI code
// page: conversions that would change a name are refused, folder listings never hand out "." or
// "..", and absolute paths reach the system in the "\\?\" form, so that no length limit applies,
// while the texts shown keep their usual form.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "platform.h"
#include "temp_dir.h"
#include "wide_text.h"

using namespace quillmere;
namespace fs = std::filesystem;

TEST(WindowsUnicodeText, ConvertsEveryScriptBothWaysAndRefusesWhatWouldChange) {
    for (const std::string text :
         {"Пользователь", "ドライバ", "Οδηγός", "\xF0\x9F\x93\xA6", "Jürgen", "．．", "表"}) {
        const std::wstring wide = platform::wideText(text);
        EXPECT_EQ(platform::utf8Text(wide), text);
    }
    EXPECT_EQ(platform::wideText("\xF0\x9F\x93\xA6"), std::wstring(L"\xD83D\xDCE6"));  // one pair
    // Invalid UTF-8: a lone continuation byte, a cut sequence, an overlong "/", a surrogate.
    const std::vector<std::string> badUtf8{"a\x80", "\xE3\x83", "\xC0\xAF", "\xED\xA0\x80",
                                           std::string("a\0b", 3)};
    for (const std::string& bad : badUtf8)
        EXPECT_THROW(platform::wideText(bad), platform::TextConversionError) << bad.size();
    // UTF-16 with a surrogate that lacks its partner, which NTFS allows in names.
    const std::vector<std::wstring> badUtf16{L"a\xD800", L"\xDC00z", L"\xD800\xD800"};
    for (const std::wstring& bad : badUtf16)
        EXPECT_THROW(platform::utf8Text(bad), platform::TextConversionError);
}

TEST(WindowsUnicodeText, FullWidthFullStopsStayANameOfTheirOwn) {
    quillmere::testing::TempDir dir;
    const std::string dots = "．．";
    fs::create_directories(dir.path() / platform::toPath(dots) / "inner");
    std::vector<platform::FolderEntry> entries;
    ASSERT_FALSE(platform::listFolder(dir.path(), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, dots);
    EXPECT_EQ(entries[0].kind, platform::FolderEntry::Kind::Folder);
    // Listing never hands out "." or "..", so no walk can climb out of its folder.
    ASSERT_FALSE(platform::listFolder(dir.path() / platform::toPath(dots), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "inner");
}

TEST(WindowsUnicodeText, TheCommandLineArrivesAsUtf8) {
    // The test program's own command line: its first argument is gtest's filter or nothing, but
    // whatever it is, it must equal what the UTF-16 command line says.
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    ASSERT_NE(wide, nullptr);
    const std::vector<std::string> arguments = platform::programArguments(0, nullptr);
    ASSERT_EQ(arguments.size(), static_cast<std::size_t>(count - 1));
    for (int i = 1; i < count; ++i)
        EXPECT_EQ(arguments[static_cast<std::size_t>(i - 1)], platform::utf8Text(wide[i]));
    ::LocalFree(wide);
}
