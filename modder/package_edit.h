#pragma once
// The three package files, read once, edited in memory and replaced once each. Edits are gathered
// per real file: two slots whose paths lead to one file (a link, a hard link) share one text and
// get their edits in the order made, as on-disk edits one by one would give.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "file_identity.h"
#include "profile_editor.h"
#include "profile_encoding.h"

namespace quillmere {

class PackageEdit {
  public:
    explicit PackageEdit(ProfileEditor& editor) : editor_(editor) {}

    // Reads the file once; a path that leads to a file already loaded joins it. `alreadyRead`: the
    // file's text as the caller has just read it through the same editor, taken instead of
    // reading the file again (dropped when the path joins a file already loaded).
    std::error_code load(const std::string& file, std::optional<profile::DecodedProfile> alreadyRead = {});

    void writeKey(const std::string& file, std::string_view section, std::string_view key,
                  std::string_view value);
    void writeSection(const std::string& file, std::string_view section, std::string_view content);

    // One path per real file, in load order (the first path that led to it), and each file's
    // text before and after the edits, by any path that leads to it.
    const std::vector<std::string>& files() const { return order_; }
    const profile::DecodedProfile& original(const std::string& file) const { return entry(file).original; }
    const profile::DecodedProfile& edited(const std::string& file) const { return entry(file).edited; }

    struct CommitFailure {
        std::string file;  // the replace that failed
        std::error_code reason;
        std::vector<std::pair<std::string, std::error_code>> notRestored;  // still hold the new text
    };

    // Replaces each file once, in load order, each original kept under a second name until all
    // are replaced and flushed. When a replace fails, every file whose new text already took its
    // place, the failing one included when only the flush after its rename failed, is put back:
    // by renaming the second name back, which needs no free space, or where the file system has
    // none, by writing the original bytes anew. The second names go only once all are done.
    std::optional<CommitFailure> commit();

  private:
    struct Entry {
        profile::DecodedProfile original;
        profile::DecodedProfile edited;
        // The paths to replace: one per name the file has in its folders. A link and its target
        // are one name; two hard links are two, each replaced with the same bytes.
        std::vector<std::string> names;
        std::vector<std::filesystem::path> realNames;
    };
    // Whether the path leads to a file already loaded (it then joins it).
    bool joinsLoaded(const std::string& file, const std::optional<platform::FileIdentity>& identity,
                     const std::filesystem::path& real);
    Entry& entry(const std::string& file) { return files_.at(keyOf_.at(file)); }
    const Entry& entry(const std::string& file) const { return files_.at(keyOf_.at(file)); }
    std::error_code restore(const std::string& name, bool held);

    ProfileEditor& editor_;
    std::vector<std::string> order_;
    std::map<std::string, Entry> files_;        // by the first path that led to the file
    std::map<std::string, std::string> keyOf_;  // every loaded path -> its file's key
    std::map<platform::FileIdentity, std::string> byIdentity_;
};

}  // namespace quillmere
