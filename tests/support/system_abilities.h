#pragma once
// What the system under test can do with files. Tests of behaviour that only some systems have
// (symbolic links without privileges, POSIX permission bits, paths longer than MAX_PATH) ask
// first and skip with the reason where the system lacks it, instead of failing there.

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quillmere::testing {

// Whether a symbolic link can be made inside `folder` (libstdc++ on Windows cannot make any,
// and Windows itself needs a privilege or developer mode).
inline bool canCreateSymlinks(const std::filesystem::path& folder) {
    const auto probe = folder / ".symlink-probe";
    std::error_code ec;
    std::filesystem::create_symlink(folder / ".symlink-target", probe, ec);
    if (ec) return false;
    std::filesystem::remove(probe, ec);
    return true;
}

// Whether the file system keeps permission bits beyond "read-only" (Windows keeps only that).
inline bool keepsPosixPermissions(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const auto probe = folder / ".permission-probe";
    std::error_code ec;
    if (!fs::create_directory(probe, ec)) return false;
    const auto wanted = fs::perms::owner_all | fs::perms::group_read;
    fs::permissions(probe, wanted, ec);
    const bool kept = !ec && (fs::status(probe, ec).permissions() & fs::perms::all) == wanted;
    fs::remove(probe, ec);
    return kept;
}

// Whether the standard library lists folders whose paths are longer than MAX_PATH (260)
// characters: mingw's runtime cuts such paths and lists another folder or none at all.
inline bool canListLongPaths(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const auto top = folder / ".long-path-probe";
    fs::path deep = top;
    for (int level = 0; level < 30; ++level) deep /= "long-path-probe";
    std::error_code ec;
    fs::create_directories(deep, ec);
    bool listed = false;
    if (!ec) {
        { std::ofstream(deep / "marker") << "x"; }
        fs::directory_iterator it(deep, ec);
        listed = !ec && it != fs::directory_iterator() && it->path().filename() == "marker";
    }
    fs::remove_all(top, ec);
    return listed;
}

}  // namespace quillmere::testing
