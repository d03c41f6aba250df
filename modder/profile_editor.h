#pragma once
// Profile files by name, as the run reaches them: where a name leads (a bare name lives in the
// profile directory), a file read whole as the text that the edits work on, and written back whole
// in its own encoding through the file store. Nothing is cached between calls.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "file_store.h"
#include "profile_encoding.h"

namespace quillmere {

class ProfileEditor {
  public:
    // `profileDirectory` is where a bare file name (no folder part) lives.
    explicit ProfileEditor(std::filesystem::path profileDirectory, FileStore& store = diskFileStore());
    // The platform's profile directory and the disk.
    ProfileEditor();

    // The file a name refers to: a bare name inside the profile directory, a path unchanged.
    std::filesystem::path resolve(std::string_view fileName) const;

    // Whole-file access for callers that apply many edits and replace the file once.
    // A missing file loads as empty 8-bit text.
    std::error_code load(std::string_view fileName, profile::DecodedProfile& profile);
    // `landed`, when given, tells after a failure whether the new text took the file's place all
    // the same (FileStore::replaceTelling).
    std::error_code save(std::string_view fileName, const profile::DecodedProfile& profile,
                         bool* landed = nullptr);
    std::error_code probeWritable(std::string_view fileName);

    // A replace that must be undone: the file kept under a second name first, put back or let go
    // after (FileStore::holdOriginal and the two after it).
    std::error_code holdOriginal(std::string_view fileName) { return store_.holdOriginal(resolve(fileName)); }
    std::error_code restoreOriginal(std::string_view fileName) {
        return store_.restoreOriginal(resolve(fileName));
    }
    void releaseOriginal(std::string_view fileName) { store_.releaseOriginal(resolve(fileName)); }
    // What replaces of earlier runs, stopped dead, left beside the file.
    std::size_t removeLeftovers(std::string_view fileName) {
        return store_.removeLeftovers(resolve(fileName));
    }

    // The bytes beneath, for callers that copy files as they are (the command line's backup).
    FileStore& store() { return store_; }

  private:
    std::filesystem::path profileDirectory_;
    FileStore& store_;
};

}  // namespace quillmere
