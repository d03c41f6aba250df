#include "file_system_accessor.h"

#include <system_error>

#include "platform.h"

namespace quillmere {

namespace {

[[noreturn]] void throwListError(const std::string& folder, const std::error_code& ec) {
    throw ScanError("Cannot list the folder " + folder + ": " + ec.message());
}

}  // namespace

std::string FileSystemAccessor::joinPath(const std::string& folder, const std::string& name) {
    const char sep = platform::pathSeparator();
    if (!folder.empty() && (folder.back() == sep || folder.back() == '/')) return folder + name;
    return folder + sep + name;
}

const std::vector<platform::FolderEntry>& FileSystemAccessor::listed(const std::string& folder, bool fresh) {
    if (fresh || folder != listedFolder_) {
        listedFolder_.clear();
        if (const auto ec = platform::listFolder(platform::toPath(folder), listedEntries_)) throwListError(folder, ec);
        listedFolder_ = folder;
    }
    return listedEntries_;
}

std::vector<ScannedFile> FileSystemAccessor::listFiles(const std::string& folder) {
    std::vector<ScannedFile> files;
    for (const platform::FolderEntry& entry : listed(folder, true)) {
        // Regular files and links to them count as files; folders, broken links and devices do not.
        if (entry.kind != platform::FolderEntry::Kind::File) continue;
        files.push_back({joinPath(folder, entry.name), entry.name, entry.shortName, entry.size, folder});
    }
    return files;
}

std::vector<std::string> FileSystemAccessor::listSubfolders(const std::string& folder) {
    std::vector<std::string> folders;
    for (const platform::FolderEntry& entry : listed(folder, false)) {
        if (entry.kind == platform::FolderEntry::Kind::Folder) folders.push_back(joinPath(folder, entry.name));
    }
    listedFolder_.clear();  // the pair is done: a later call lists the folder anew
    return folders;
}

}  // namespace quillmere
