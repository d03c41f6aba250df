#pragma once
// The whole command-line program, callable from tests: returns the exit status.

#include <string>
#include <vector>

#include "console_host.h"
#include "modding_run.h"

namespace quillmere::cli {

// The one list of exit statuses. 3 promises that every file is as it was; 4 and 5 that some changed.
enum ExitStatus : int {
    kModded = 0,       // every write was made
    kRefused = 1,      // the package was turned down; nothing was changed
    kUsage = 2,        // the command line was wrong; nothing was looked at
    kError = 3,        // an error ended the run and left every file as it was
    kStartFailed = 4,  // modded, but the installer could not be started
    kNotRestored = 5,  // a write failed and some file could not be put back (the message names it)
};

int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const RunEnvironment& environment = {});

}  // namespace quillmere::cli
