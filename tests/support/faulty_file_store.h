#pragma once
// A FileStore over the disk that fails on purpose: a chosen replace or probe returns an error
// without touching the file, as a full disk or a read-only file would.

#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "file_store.h"

namespace quillmere::testing {

class FaultyFileStore : public FileStore {
  public:
    std::error_code read(const std::filesystem::path& file, std::string& bytes) override;
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override;
    std::error_code probeWritable(const std::filesystem::path& file) override;
    std::error_code holdOriginal(const std::filesystem::path& file) override;
    std::error_code restoreOriginal(const std::filesystem::path& file) override;
    void releaseOriginal(const std::filesystem::path& file) override;
    std::size_t removeLeftovers(const std::filesystem::path& file) override;

    // Replaces of this file fail (after `failAfter` successful ones of any file, if set).
    std::set<std::string> failReplaceOf;
    int failReplacesAfter = -1;  // -1: only failReplaceOf decides
    std::set<std::string> failProbeOf;
    std::error_code failure = std::make_error_code(std::errc::no_space_on_device);
    // As on a file system without hard links (FAT): no original is held, a rollback rewrites.
    bool refuseHolds = false;

    std::vector<std::string> replaced;  // files in replace order, successful or not
    int replaceCalls = 0;
    std::map<std::string, int> reads;  // how often each file was read
    std::vector<std::string> held;     // files in holdOriginal order, refused or not

  private:
    DiskFileStore disk_;
};

}  // namespace quillmere::testing
