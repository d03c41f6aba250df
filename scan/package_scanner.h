#pragma once
// Walks a driver package's folder tree and recognises its install.ini, C2 and CX INF files and
// its setup program by name, size and folder.

#include <string>

#include "file_system_accessor.h"
#include "scan_reporter.h"

namespace quillmere {

// Depth first: every file of a folder, then each subfolder's whole subtree in listing order.
// Throws ScanError for a folder that cannot be listed; hits reported before that stay reported.
void scanPackageFolder(FileSystemAccessor& fso, ScanReporter& host, const std::string& folder);

// True when a folder exists at the path; without a trailing separator a file of that name
// counts as well. Changes nothing.
bool folderExists(const std::string& path);

}  // namespace quillmere
