#pragma once
// A file store for a run that must change nothing: reads come from the disk (each file once),
// replaces are kept in memory, and the test for writability asks the system about rights
// instead of creating a probe file. Driving the real run through it shows exactly what the run
// would write, from the run's own code.

#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <utility>

#include "file_store.h"

namespace quillmere {

class PreviewFileStore : public FileStore {
  public:
    // `keepWrites` false: a replace is only tested, its bytes are dropped (for callers that need
    // to know whether the run gets through, not what it writes).
    explicit PreviewFileStore(FileStore& reads = diskFileStore(), bool keepWrites = true)
        : reads_(reads), keepWrites_(keepWrites) {}

    std::error_code read(const std::filesystem::path& file, std::string& bytes) override;
    std::error_code replace(const std::filesystem::path& file, const std::string& bytes) override;
    std::error_code probeWritable(const std::filesystem::path& file) override;

    // Hands over the bytes first read from the file (reading them now if they never were) and
    // forgets them.
    std::error_code takeOriginal(const std::filesystem::path& file, std::string& bytes);
    // Hands over every replace made so far and forgets them: later reads see the disk again.
    std::map<std::filesystem::path, std::string> takeReplaced() { return std::exchange(replaced_, {}); }

  private:
    struct Read {
        std::error_code ec;
        std::string bytes;
    };
    FileStore& reads_;
    bool keepWrites_;
    std::map<std::filesystem::path, Read> read_;
    std::map<std::filesystem::path, std::string> replaced_;
};

}  // namespace quillmere
