#pragma once
// The whole command-line program, callable from tests: returns the exit status.

#include <string>
#include <vector>

#include "console_host.h"
#include "modding_run.h"

namespace quillmere::cli {

// The one list of exit statuses. 3 promises that every file is as it was; 4 and 6 that some changed.
enum ExitStatus : int {
    kModded = 0,          // every write was made; --check: ready to mod; --restore: restored
    kRefused = 1,         // the package was turned down, nothing was changed; --check: a run would refuse
    kUsage = 2,           // the command line was wrong; nothing was looked at
    kError = 3,           // an error ended the run and left every file as it was
    kStartFailed = 4,     // modded, but the installer could not be started
    kLacksSections = 5,   // --check: a run would mod, but an INF lacks sections the lines need
    kNotRestored = 6,     // a write failed and some file could not be put back (the message names it)
};

// The exit status of a run that ended with this outcome.
int exitStatusOf(RunOutcome outcome);

int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const RunEnvironment& environment = {});

}  // namespace quillmere::cli
