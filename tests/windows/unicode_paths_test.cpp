// Paths on Windows are UTF-8 inside the program and UTF-16 at the system, whatever the ANSI code
// page: conversions that would change a name are refused, folder listings never hand out "." or
// "..", and absolute paths reach the system in the "\\?\" form, so that no length limit applies,
// while the texts shown keep their usual form.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "file_store.h"
#include "path_status.h"
#include "platform.h"
#include "profile_functions.h"
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

TEST(WindowsLongPaths, AbsolutePathsReachTheSystemInTheExtendedFormAndAreShownWithout) {
    const std::vector<std::pair<std::string, std::wstring>> cases{
        {"C:\\ati", L"\\\\?\\C:\\ati"},
        {"c:\\ati\\", L"\\\\?\\c:\\ati\\"},
        {"C:\\", L"\\\\?\\C:\\"},
        {"C:/a/./b/../c", L"\\\\?\\C:\\a\\c"},
        {"C:\\..\\x", L"\\\\?\\C:\\x"},  // ".." never climbs above the drive
        {"\\\\server\\share\\Driver", L"\\\\?\\UNC\\server\\share\\Driver"},
        {"\\\\server\\share\\..\\..\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {"\\\\?\\C:\\kept as it is\\..", L"\\\\?\\C:\\kept as it is\\.."},
        {"relative\\Driver", L"relative\\Driver"},
        {"Z:\\Пользователь",
         L"\\\\?\\Z:\\\u041f\u043e\u043b\u044c\u0437\u043e\u0432\u0430\u0442\u0435\u043b\u044c"},
    };
    for (const auto& [text, native] : cases) EXPECT_EQ(platform::toPath(text).native(), native) << text;
    EXPECT_EQ(platform::fromPath(platform::toPath("C:\\ati\\Driver")), "C:\\ati\\Driver");
    EXPECT_EQ(platform::fromPath(platform::toPath("\\\\server\\share\\x")), "\\\\server\\share\\x");
    EXPECT_EQ(platform::fromPath(platform::toPath("Z:\\Пользователь")), "Z:\\Пользователь");
}

TEST(WindowsLongPaths, APackageDeeperThan260CharactersIsListedReadAndWritten) {
    quillmere::testing::TempDir dir;
    std::string deep = dir.str();
    while (deep.size() < 320) deep += "\\a-folder-name-of-forty-characters-each-";
    const fs::path folder = platform::toPath(deep);
    fs::create_directories(folder);
    const std::string file = deep + "\\C2_59642.INF";
    ASSERT_GT(file.size(), 300u);
    std::FILE* out = platform::openFile(platform::toPath(file), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("[WIN2K]\r\n", out);
    std::fclose(out);

    std::error_code ec;
    const platform::PathStatus status = platform::pathStatus(platform::toPath(file), ec);
    EXPECT_FALSE(ec);
    EXPECT_TRUE(status.exists && status.regularFile && !status.directory);
    EXPECT_TRUE(platform::pathStatus(folder, ec).directory);
    std::vector<platform::FolderEntry> entries;
    ASSERT_FALSE(platform::listFolder(folder, entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].size, 9u);

    // A whole profile write through the engine's own editor.
    quillmere::testing::ProfileFunctions editor(dir.path());
    EXPECT_EQ(editor.WritePrivateProfileStringA("WIN2K", "R6", "x", file), 1);
    std::string bytes;
    ASSERT_FALSE(DiskFileStore().read(platform::toPath(file), bytes));
    EXPECT_EQ(bytes, "[WIN2K]\r\nR6=x\r\n");
    EXPECT_TRUE(platform::removeFile(platform::toPath(file), ec));
    EXPECT_FALSE(platform::pathStatus(platform::toPath(file), ec).exists);
}
