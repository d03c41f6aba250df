#pragma once
// The whole command-line program, callable from tests: returns the exit status.

#include <string>
#include <vector>

#include "console_host.h"
#include "modding_run.h"

namespace quillmere::cli {

enum ExitStatus : int { kModded = 0, kRefused = 1, kUsage = 2, kError = 3 };

int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const RunEnvironment& environment = {});

}  // namespace quillmere::cli
