#pragma once
// What the drive and folder lists start from on this operating system.

#include <QString>
#include <string>
#include <vector>

#include "startup_folders.h"

namespace quillmere::ui {

struct Drive {
    QString root;   // a path the folder list accepts: "C:\" on Windows, a mount point elsewhere
    QString label;  // what the drive list shows
};

// The machine's drives: the drive letters on Windows, elsewhere "/" first and then the other
// mounted volumes that hold real file systems.
std::vector<Drive> listDrives();
// One drive as listDrives() would show it, without looking at the others.
Drive driveAt(const QString& root);

// Where the windows open at start-up: drive C on Windows, elsewhere the user's `home`.
common::StartupFolders startupFolders(const std::string& home);

}  // namespace quillmere::ui
