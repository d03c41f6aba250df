#pragma once
// The editor called as the Windows kernel's three 8-bit profile functions are called: one file
// name per call, each call reading the file and each write replacing it before returning, a write
// answering only 1 or 0. Tests compare the editor with the system's own functions this way and
// make the run's writes one by one to get what the run must come to; the fuzzers drive it too.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "file_store.h"
#include "profile_editor.h"

namespace quillmere::testing {

class ProfileFunctions {
  public:
    explicit ProfileFunctions(std::filesystem::path profileDirectory, FileStore& store = diskFileStore())
        : editor_(std::move(profileDirectory), store) {}
    // The platform's profile directory and the disk.
    ProfileFunctions() = default;

    // A file that cannot be read reads as an empty section, as a missing one does.
    std::uint32_t GetPrivateProfileSectionA(std::string_view section, char* buffer, std::uint32_t size,
                                            std::string_view fileName);
    int WritePrivateProfileSectionA(std::string_view section, std::string_view content,
                                    std::string_view fileName);
    int WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                   std::string_view fileName);

    // Why the last write returned zero (clear after a success).
    std::error_code lastError() const { return lastError_; }

    ProfileEditor& editor() { return editor_; }

  private:
    ProfileEditor editor_;
    std::error_code lastError_;
};

}  // namespace quillmere::testing
