#pragma once
// --backup DIR and --restore DIR. Before the run's first replace the originals of the files it
// is about to replace are copied into DIR under their paths relative to the package folder,
// flushed to disk, and listed in DIR/quillmere-backup.txt with the SHA-256 of each original and
// of what the run writes. A restore puts the originals back only where a file is still exactly
// what the run wrote, so that it never undoes a later edit.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "package_edit.h"
#include "profile_editor.h"

namespace quillmere::cli {

inline constexpr const char* kBackupListName = "quillmere-backup.txt";

// Names in the list: every byte round-trips, a newline included. Control bytes and "%" are
// written as "%HH"; Windows' backslashes stay as they are.
std::string escapeListName(const std::string& name);
std::optional<std::string> unescapeListName(const std::string& text);  // empty: not a valid name

// A text that refuses the run when DIR lies inside the package FOLDER: a later run would take the
// copies for package files.
std::optional<std::string> backupInsidePackage(const std::filesystem::path& dir, const std::string& folder);

// Makes the backup. A text when it cannot (an existing backup included): the run is then
// refused with it, before anything changed.
std::optional<std::string> writeBackup(const std::filesystem::path& dir, const std::string& folder,
                                       const PackageEdit& edit, ProfileEditor& editor);

struct RestoreResult {
    enum class Status { Restored, Refused, Failed } status = Status::Refused;
    std::vector<std::string> restored;  // package files put back, in list order
    std::string message;                // why it refused or failed; empty when restored
};

// Checks every file first and changes nothing unless all can be restored; each file is then
// replaced in one step (temporary file, flush, rename). Writes only inside `packageFolder`, which
// must be the folder the list names (the same real path), never through a link that leads
// outside it, and only over regular files; reads only regular files of DIR.
RestoreResult restoreBackup(const std::filesystem::path& dir, const std::string& packageFolder);

}  // namespace quillmere::cli
