#pragma once
// How the editor reads and replaces files. The disk store writes a temporary file in the same
// folder, flushes it and renames it over the original, so a crash, kill or full disk leaves the
// old or the new file, never a torn one. Tests put in doubles that fail on purpose.

#include <cstdio>
#include <filesystem>
#include <map>
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
    // As replace, and on failure tells whether the new bytes had already taken the file's place
    // (the rename was made, the flush of its folder after it failed): the caller must then put
    // the original back itself. Goes through replace(), so that doubles that override it count.
    std::error_code replaceTelling(const std::filesystem::path& file, const std::string& bytes, bool& landed);
    // Whether replace() can succeed: the file may be written and its folder takes a new file and
    // a rename. Nothing is created or changed, not even for a moment.
    virtual std::error_code probeWritable(const std::filesystem::path& file) = 0;

    // Keeps the file as it is now reachable under a second name in its folder, without copying
    // it, so that a rollback needs no free space. An error where the file system cannot (FAT) or
    // the store does not; the caller then keeps the bytes itself.
    virtual std::error_code holdOriginal(const std::filesystem::path& file);
    // Puts the held original back in the file's place in one step; the hold ends.
    virtual std::error_code restoreOriginal(const std::filesystem::path& file);
    // Drops the second name once the run no longer needs it.
    virtual void releaseOriginal(const std::filesystem::path& file);
    // Removes what stopped replaces of earlier runs left beside the file (see side_files.h).
    virtual std::size_t removeLeftovers(const std::filesystem::path& file);

  protected:
    // Set by a replace that fails after its rename was made; cleared before each replace.
    bool replaceLanded_ = false;
};

class DiskFileStore : public FileStore {
  public:
    std::error_code read(const std::filesystem::path& file, std::string& bytes) override;
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override;
    std::error_code probeWritable(const std::filesystem::path& file) override;
    std::error_code holdOriginal(const std::filesystem::path& file) override;
    std::error_code restoreOriginal(const std::filesystem::path& file) override;
    void releaseOriginal(const std::filesystem::path& file) override;
    std::size_t removeLeftovers(const std::filesystem::path& file) override;

  protected:
    // The one place the bytes of a replace are written: std::fwrite. Tests make it fall short.
    virtual std::size_t writeBytes(std::FILE* file, const char* data, std::size_t size);
    // The one place the flushed temporary file takes the target's place (rename and folder
    // flush): platform::replaceFile. Tests make the flush after the rename fail.
    virtual std::error_code putInPlace(const std::filesystem::path& temporary,
                                       const std::filesystem::path& target);

  private:
    std::map<std::filesystem::path, std::filesystem::path> held_;  // file -> second name
};

// The process-wide disk store.
FileStore& diskFileStore();

}  // namespace quillmere
