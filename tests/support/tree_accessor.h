#pragma once
// A folder tree in memory for scanner tests, so that the listing order is the test's to choose.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "file_system_accessor.h"

namespace quillmere::testing {

// A folder tree in memory; files and subfolders are listed in the order they were added. Its
// paths use "/" on every system: the scanner takes paths as the accessor gives them.
class TreeAccessor : public FileSystemAccessor {
  public:
    void file(const std::string& folder, const std::string& name, std::uint64_t size,
              std::string shortName = {}) {
        folders_[folder];
        ScannedFile f{join(folder, name), name, shortName.empty() ? name : shortName, size, folder};
        files_[folder].push_back(f);
    }
    void folder(const std::string& parent, const std::string& name) {
        folders_[parent].push_back(join(parent, name));
        folders_[join(parent, name)];
    }
    static std::string join(const std::string& folder, const std::string& name) {
        return folder + "/" + name;
    }
    std::vector<ScannedFile> listFiles(const std::string& folder) override {
        ++opened;
        if (!folders_.count(folder)) throw ScanError("Cannot list the folder " + folder);
        return files_[folder];
    }
    std::vector<std::string> listSubfolders(const std::string& folder) override {
        ++opened;
        return folders_.at(folder);
    }
    int opened = 0;

  private:
    std::map<std::string, std::vector<ScannedFile>> files_;
    std::map<std::string, std::vector<std::string>> folders_;
};

}  // namespace quillmere::testing
