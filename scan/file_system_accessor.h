#pragma once
// The scanner's only way to the file system: open a folder, list its files and subfolders.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform.h"

namespace quillmere {

struct ScannedFile {
    std::string path;        // folder path as the walk reached it, separator, name
    std::string name;        // name with extension, letter case as stored
    std::string shortName;   // 8.3 alias, or the name where the file system keeps none
    std::uint64_t size = 0;  // length in bytes
    std::string folderPath;  // the folder that holds the file
};

// A folder that cannot be opened or listed. The text names the folder and the system's reason.
class ScanError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class FileSystemAccessor {
  public:
    virtual ~FileSystemAccessor() = default;

    // The folder's files in the order the file system lists them. Throws ScanError.
    virtual std::vector<ScannedFile> listFiles(const std::string& folder);
    // Full paths of the folder's subfolders, in listing order. Links to folders are left out,
    // so a link loop cannot make the walk endless. Throws ScanError.
    virtual std::vector<std::string> listSubfolders(const std::string& folder);

    // Joins a folder path and a name with one separator (none added after a trailing one).
    static std::string joinPath(const std::string& folder, const std::string& name);

private:
    // The walk asks for a folder's files and right after for its subfolders: one listing,
    // kept from the one call to the other, serves both.
    const std::vector<platform::FolderEntry>& listed(const std::string& folder, bool fresh);
    std::string listedFolder_;
    std::vector<platform::FolderEntry> listedEntries_;
};

}  // namespace quillmere
