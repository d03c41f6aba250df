#pragma once
// The whole command-line program, callable from tests: returns the exit status.

#include <string>
#include <vector>

#include "console_host.h"
#include "modding_run.h"

namespace quillmere::cli {

enum ExitStatus : int {
    kModded = 0,   // --check: ready to mod; --restore: restored
    kRefused = 1,  // nothing changed; --check: a run would refuse
    kUsage = 2,
    kError = 3,
    kLacksSections = 5,  // --check: a run would mod, but an INF lacks sections the lines need
};

int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const RunEnvironment& environment = {});

}  // namespace quillmere::cli
