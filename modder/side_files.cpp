#include "side_files.h"

#include <random>
#include <string>

#include "platform.h"

namespace quillmere {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMark = ".quillmere-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::string_view kOriginalSuffix = ".orig";

fs::path folderOf(const fs::path& file) {
    const auto parent = file.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// The pattern's parts as the system's own path string, so that a name the 8-bit code page cannot
// hold stays intact.
fs::path::string_type native(std::string_view text) {
    return fs::path(std::string(text)).native();
}

bool allDigits(const fs::path::string_type& text) {
    if (text.empty()) return false;
    for (const auto c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The kind of side file `name` is for `fileName`, if it is one.
bool matches(const fs::path& fileName, const fs::path& name, SideFile& kind) {
    const fs::path::string_type& text = name.native();
    fs::path::string_type prefix = native(".");
    prefix += fileName.native();
    prefix += native(kMark);
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0) return false;
    for (const auto& [suffix, which] :
         {std::pair{kTemporarySuffix, SideFile::Temporary}, std::pair{kOriginalSuffix, SideFile::Original}}) {
        const fs::path::string_type end = native(suffix);
        if (text.size() < prefix.size() + end.size() ||
            text.compare(text.size() - end.size(), end.size(), end) != 0)
            continue;
        if (allDigits(text.substr(prefix.size(), text.size() - prefix.size() - end.size()))) {
            kind = which;
            return true;
        }
    }
    return false;
}

std::mt19937_64& numbers() {
    static std::mt19937_64 random{platform::randomSeed()};
    return random;
}

}  // namespace

void reseedSideFileNames(std::uint64_t seed) {
    numbers().seed(seed);
}

fs::path sideFileName(const fs::path& file, SideFile kind) {
    auto& random = numbers();
    fs::path name(".");
    name += file.filename().native();
    name += native(kMark);
    name += native(std::to_string(random() % 1000000000));
    name += native(kind == SideFile::Temporary ? kTemporarySuffix : kOriginalSuffix);
    return folderOf(file) / name;
}

bool isSideFileOf(const fs::path& fileName, const fs::path& name) {
    SideFile kind;
    return matches(fileName, name, kind);
}

std::size_t removeSideFiles(const fs::path& file) {
    std::size_t removed = 0;
    std::error_code ec;
    const bool fileThere = fs::is_regular_file(file, ec);
    for (fs::directory_iterator it(folderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
        SideFile kind;
        if (!matches(file.filename(), it->path().filename(), kind)) continue;
        if (kind == SideFile::Original && !fileThere) continue;
        std::error_code typeEc;
        if (!fs::is_regular_file(it->symlink_status(typeEc))) continue;
        if (fs::remove(it->path(), typeEc)) ++removed;
    }
    return removed;
}

}  // namespace quillmere
