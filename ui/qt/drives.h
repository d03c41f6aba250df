#pragma once
// What the drive and folder lists start from on this operating system.

#include <QString>
#include <vector>

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

// Where the windows open at start-up.
struct StartupFolders {
    QString systemDrive;     // the drive the drive list is set to
    QString packageFolder;   // the usual package folder, with a trailing separator
    QString packageOpen;     // the same folder as the folder list opens it
    QString fallbackFolder;  // opened when the package folder is missing
};

// "c:\ati\" and "C:\" on Windows; elsewhere the folder "ati" in `home` and `home` itself.
StartupFolders startupFolders(const QString& home);

}  // namespace quillmere::ui
