#pragma once
// The tool's one job: scan the chosen folder, check the package, patch install.ini and the two
// INF files, report, offer to start the installer, end the program.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "modding_host.h"
#include "package_edit.h"
#include "profile_editor.h"
#include "scan_observer.h"

namespace quillmere {

// How a run ended, for front ends that report it (the command line's exit status).
enum class RunOutcome {
    Modded,       // every write was made
    Refused,      // the package was turned down; nothing was changed
    Failed,       // writing failed and the originals were put back
    NotRestored,  // writing failed and some original could not be put back (the message names it)
};

// The setup program could not be started. Every write of the run was made before.
class StartError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the run reaches outside the host; tests replace parts of it.
struct RunEnvironment {
    ProfileEditor* editor = nullptr;  // null: an editor on the platform's profile directory and the disk
    std::function<void(const std::string&)> startProgram;               // empty: platform::startProgram
    std::function<std::unique_ptr<FileSystemAccessor>()> makeAccessor;  // empty: the real file system
    ScanObserver* scanObserver = nullptr;                               // hears the scan's every verdict
    // Called once, with every edit made in memory, right before the first file is replaced. A text
    // refuses the run with that message, nothing changed (the command line's backup uses it).
    std::function<std::optional<std::string>(const PackageEdit&)> beforeReplace;
    // How long a run waits for another run that holds the package before it refuses.
    std::chrono::milliseconds lockWait = std::chrono::seconds(10);
};

// Runs once, start to end; every way out calls host.endProgram() and then returns. Errors that
// the run does not handle propagate as exceptions whose what() names them: a folder that cannot
// be listed (ScanError, nothing was changed), a setup program that cannot be started
// (StartError, the package was modded).
RunOutcome runModding(ModdingHost& host, const RunEnvironment& environment = {});

// The windows' run: as runModding, but an error the run does not handle is shown in a message
// box that names it, and the program then ends as every run ends.
void runModdingInWindow(ModdingHost& host, const RunEnvironment& environment = {});

}  // namespace quillmere
