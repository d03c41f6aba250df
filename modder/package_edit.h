#pragma once
// The three package files, read once, edited in memory and replaced once each. Files are keyed
// by path so that two slots naming one file share one text, as on-disk edits would.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "profile_editor.h"
#include "profile_encoding.h"

namespace quillmere {

class PackageEdit {
  public:
    explicit PackageEdit(ProfileEditor& editor) : editor_(editor) {}

    // Reads the file once; a second load of the same path is a no-op.
    std::error_code load(const std::string& file);

    void writeKey(const std::string& file, std::string_view section, std::string_view key,
                  std::string_view value);
    void writeSection(const std::string& file, std::string_view section, std::string_view content);

    // The loaded files in load order, and each one's text before and after the edits.
    const std::vector<std::string>& files() const { return order_; }
    const profile::DecodedProfile& original(const std::string& file) const {
        return files_.at(file).original;
    }
    const profile::DecodedProfile& edited(const std::string& file) const { return files_.at(file).edited; }

    struct CommitFailure {
        std::string file;
        std::error_code reason;
        std::vector<std::pair<std::string, std::error_code>> notRestored;
    };

    // Replaces each file once, in load order, each original kept under a second name until all
    // are done. When one fails, those already replaced are put back: by renaming the second name
    // back, which needs no free space, or where the file system has none, by writing the original
    // bytes anew.
    std::optional<CommitFailure> commit();

  private:
    std::error_code restore(const std::string& file, bool held);

    struct Entry {
        profile::DecodedProfile original;
        profile::DecodedProfile edited;
    };
    ProfileEditor& editor_;
    std::vector<std::string> order_;
    std::map<std::string, Entry> files_;
};

}  // namespace quillmere
