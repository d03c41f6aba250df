#pragma once
// Where both windows open at start-up: the drive the drive list is set to, the usual package
// folder that is tested for, the same folder as the folder list opens it, and the folder opened
// when it is missing.

#include <string>

namespace quillmere::ui::common {

struct StartupFolders {
    std::string systemDrive;
    std::string packageFolder;  // with a trailing separator: only a folder counts
    std::string packageOpen;
    std::string fallbackFolder;
};

// On Windows: drive C, the folder "c:\ati\", opened as "C:\ati", else "C:\".
StartupFolders windowsStartupFolders();
// Where no drive C exists: "/" stands for the system drive and the package folder is "ati" in
// the user's home, which is opened when that is missing.
StartupFolders homeStartupFolders(const std::string& home);

}  // namespace quillmere::ui::common
