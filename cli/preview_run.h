#pragma once
// The modding run made for show: the real run (scan, checks, every edit through PackageEdit)
// over a file store that keeps the writes in memory, so that nothing on disk changes. What it
// would have written, the originals and the messages it would have shown come back.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli_options.h"
#include "found_slot.h"
#include "modding_run.h"
#include "preview_store.h"

namespace quillmere::cli {

struct PreviewedFile {
    FoundSlot slot;    // the first slot that names the file
    std::string path;  // as the slot holds it
    std::filesystem::path resolved;
    std::optional<std::string> before;  // the bytes now; nothing when the file cannot be read
    std::optional<std::string> after;   // what the run would write; nothing when it would not
};

class Preview {
  public:
    // Runs at once. Errors of the run (a folder that cannot be listed) propagate. Without
    // `keepWrites`, files() holds no `after` texts.
    Preview(const std::string& folder, InstallAnswer answer, const RunEnvironment& base,
            ScanObserver* observer = nullptr, bool keepWrites = true);

    RunOutcome outcome() const { return outcome_; }
    // The lines a run prints, in order, the question with its answer included.
    const std::vector<std::string>& messages() const { return messages_; }
    const std::string& slotText(FoundSlot slot) const { return slots_.text(slot); }
    bool found(FoundSlot slot) const { return slots_.found(slot); }
    // install.ini, the C2 INF and the CX INF as far as found, each file once.
    const std::vector<PreviewedFile>& files() const { return files_; }
    // The same, handed over: saves copying multi-megabyte texts that are only looked at once.
    std::vector<PreviewedFile> takeFiles() { return std::exchange(files_, {}); }

    // The run's own editor and store, for further reads that must match what the run saw.
    ProfileEditor& editor() { return *editor_; }
    PreviewFileStore& store() { return store_; }

  private:
    PreviewFileStore store_;
    std::unique_ptr<ProfileEditor> editor_;
    RunOutcome outcome_ = RunOutcome::Refused;
    std::vector<std::string> messages_;
    FoundSlots slots_;
    std::vector<PreviewedFile> files_;
};

// The file's path below the package folder (lexically, from both made absolute), or nothing
// when it does not lie below it.
std::optional<std::filesystem::path> relativeTo(const std::filesystem::path& folder,
                                                const std::filesystem::path& file);

}  // namespace quillmere::cli
