#pragma once
// The modes besides a run: --check, --diff and --restore. Each returns the exit status.

#include "cli_options.h"
#include "console_host.h"
#include "modding_run.h"

namespace quillmere::cli {

// Flushes standard output; when it failed, at any write so far, says so on standard error and
// returns true.
bool reportLost(ConsoleStreams streams);

int runCheck(const CliOptions& options, ConsoleStreams streams, const RunEnvironment& environment);
int runDiff(const CliOptions& options, ConsoleStreams streams, const RunEnvironment& environment);
int runRestore(const CliOptions& options, ConsoleStreams streams);

}  // namespace quillmere::cli
