#pragma once
// Walks a driver package's folder tree and recognises its install.ini, C2 and CX INF files and
// its setup program by name, size and folder.

#include <cstdint>
#include <optional>
#include <string>

#include "file_system_accessor.h"
#include "scan_observer.h"
#include "scan_reporter.h"

namespace quillmere {

// The size a file of the slot's kind must exceed to be taken; INF files have no limit.
constexpr std::optional<std::uint64_t> sizeLimit(FoundSlot slot) {
    if (slot == FoundSlot::Label5) return 100000;
    if (slot == FoundSlot::Label2) return 1000;
    return std::nullopt;
}

// Depth first: every file of a folder, then each subfolder's whole subtree in listing order.
// Throws ScanError for a folder that cannot be listed; hits reported before that stay reported.
// An observer, when given, also hears of every visited file and every candidate's verdict.
void scanPackageFolder(FileSystemAccessor& fso, ScanReporter& host, const std::string& folder,
                       ScanObserver* observer = nullptr);

// True when a folder exists at the path; without a trailing separator a file of that name
// counts as well. Changes nothing.
bool folderExists(const std::string& path);

}  // namespace quillmere
