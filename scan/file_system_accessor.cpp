#include "file_system_accessor.h"

#include <filesystem>
#include <system_error>

#include "platform.h"

namespace quillmere {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void throwListError(const std::string& folder, const std::error_code& ec) {
    throw ScanError("Cannot list the folder " + folder + ": " + ec.message());
}

// Opens the folder for listing; a folder that cannot be opened is an error that names it.
fs::directory_iterator openFolder(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator it(platform::toPath(folder), ec);
    if (ec) throwListError(folder, ec);
    return it;
}

}  // namespace

std::string FileSystemAccessor::joinPath(const std::string& folder, const std::string& name) {
    const char sep = platform::pathSeparator();
    if (!folder.empty() && (folder.back() == sep || folder.back() == '/')) return folder + name;
    return folder + sep + name;
}

std::vector<ScannedFile> FileSystemAccessor::listFiles(const std::string& folder) {
    std::vector<ScannedFile> files;
    std::error_code ec;
    for (auto it = openFolder(folder); it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        // Regular files and links to them count as files; folders, broken links and devices do not.
        std::error_code typeEc;
        if (!entry.is_regular_file(typeEc)) continue;
        std::error_code sizeEc;
        const auto size = entry.file_size(sizeEc);
        if (sizeEc) continue;  // vanished or unreadable between listing and asking
        ScannedFile file;
        file.name = platform::fromPath(entry.path().filename());
        file.path = joinPath(folder, file.name);
        file.shortName = platform::shortNameOf(entry.path());
        file.size = size;
        file.folderPath = folder;
        files.push_back(std::move(file));
    }
    if (ec) throwListError(folder, ec);
    return files;
}

std::vector<std::string> FileSystemAccessor::listSubfolders(const std::string& folder) {
    std::vector<std::string> folders;
    std::error_code ec;
    for (auto it = openFolder(folder); it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code typeEc;
        if (!entry.is_directory(typeEc) || platform::isLink(entry.path())) continue;
        folders.push_back(joinPath(folder, platform::fromPath(entry.path().filename())));
    }
    if (ec) throwListError(folder, ec);
    return folders;
}

}  // namespace quillmere
