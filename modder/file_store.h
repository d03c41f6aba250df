#pragma once
// How the editor reads and replaces files. The disk store writes a temporary file in the same
// folder, flushes it and renames it over the original, so a crash, kill or full disk leaves the
// old or the new file, never a torn one. Tests put in doubles that fail on purpose.

#include <filesystem>
#include <string>
#include <system_error>

namespace quillmere {

class FileStore {
  public:
    virtual ~FileStore() = default;

    // Reads the whole file. A missing file gives std::errc::no_such_file_or_directory.
    virtual std::error_code read(const std::filesystem::path& file, std::string& bytes) = 0;
    // Replaces (or creates) the file with these bytes in one step, keeping the original's
    // permissions. On failure the file is as it was.
    virtual std::error_code replace(const std::filesystem::path& file, const std::string& bytes) = 0;
    // Whether replace() can succeed: the file opens for writing (nothing is changed) and its
    // folder takes a new file.
    virtual std::error_code probeWritable(const std::filesystem::path& file) = 0;
};

class DiskFileStore : public FileStore {
  public:
    std::error_code read(const std::filesystem::path& file, std::string& bytes) override;
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override;
    std::error_code probeWritable(const std::filesystem::path& file) override;
};

// The process-wide disk store.
FileStore& diskFileStore();

}  // namespace quillmere
