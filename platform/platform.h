#pragma once
// What differs between operating systems, behind one small interface. The engine's texts are
// UTF-8 strings (paths included) on every system; this is the only place that turns them into
// system paths.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quillmere::platform {

// The separator the engine puts between a folder path and a name.
char pathSeparator();

// True when the text names a file inside some folder rather than a bare file name.
bool hasFolderPart(std::string_view name);

// UTF-8 engine text <-> path the system understands (UTF-16 on Windows). On Windows both throw
// platform::TextConversionError (wide_text.h) for text that would not convert unchanged.
std::filesystem::path toPath(std::string_view text);
std::string fromPath(const std::filesystem::path& path);

// The program's arguments (without its own name) as UTF-8. On Windows they come from the UTF-16
// command line: argv went through the ANSI code page, which may have lost or replaced characters.
std::vector<std::string> programArguments(int argc, char** argv);

// For stdout or stderr when it is a Windows console: a stream buffer that shows the UTF-8 text it
// is given through WriteConsoleW, so that every character appears whatever the console's code
// page. Null where the bytes go out as they are (a file, a pipe, any terminal elsewhere).
std::unique_ptr<std::streambuf> consoleBuffer(std::FILE* stream);

// The file's 8.3 alias where the file system keeps one, else its own name.
std::string shortNameOf(const std::filesystem::path& file);

// True for a link to somewhere else (a symbolic link; on Windows also a junction or mount
// point), which a walk must not follow. std::filesystem cannot tell junctions apart everywhere.
bool isLink(const std::filesystem::path& entry);

// One entry of a folder as the package walk sees it. A link to a file counts as that file; a link
// to a folder (or a junction) is neither, so that the walk never follows it.
struct FolderEntry {
    enum class Kind { File, Folder, Other };
    std::string name;       // engine text
    std::string shortName;  // the 8.3 alias where the file system keeps one, else the name
    Kind kind = Kind::Other;
    std::uint64_t size = 0;  // files only
};

// The folder's entries in the order the file system lists them, read in one pass with one
// status query per file at most (none for a folder).
std::error_code listFolder(const std::filesystem::path& folder, std::vector<FolderEntry>& entries);

// Folder that a bare profile-file name resolves to: the Windows directory there,
// the current directory elsewhere.
std::filesystem::path defaultProfileDirectory();

// Starts the program at `path` with no arguments, minimized and focused where the desktop
// allows, without waiting for it. Throws std::system_error when it cannot be started.
void startProgram(const std::string& path);

// std::fopen for a system path (wide-character on Windows).
std::FILE* openFile(const std::filesystem::path& file, const char* mode);

// Flushes an open file's data to the disk.
std::error_code flushToDisk(std::FILE* file);

// The calling thread's last system error (errno; GetLastError on Windows), whose message is the
// system's own text for it.
std::error_code lastSystemError();

// Whether the stream is an interactive terminal (console).
bool isTerminal(std::FILE* stream);

// Whether this process may replace the file: write to it where it exists, and add a file to its
// folder. Asks the system about the rights (effective ids, the read-only attribute, the folder's
// access list) and creates, opens for writing or changes nothing.
std::error_code checkReplaceable(const std::filesystem::path& file);

// Flushes a folder's entries (new names, renames) to the disk where the system allows it.
std::error_code flushFolderToDisk(const std::filesystem::path& folder);

// A seed for the numbers that name temporary files: a new one on every call, and apart between
// processes that run at the same time. Not meant to be secret.
std::uint64_t randomSeed();

// The folder of the INF files that Windows itself ships; empty elsewhere.
std::filesystem::path systemInfFolder();

}  // namespace quillmere::platform
