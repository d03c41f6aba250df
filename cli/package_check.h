#pragma once
// `quillmere-mod --check`: a run made for show (see Preview) with the scan's verdicts heard,
// then each found file looked at. Nothing on disk is created or changed.

#include <string>

#include "check_report.h"
#include "modding_run.h"

namespace quillmere::cli {

// Errors of the scan (a folder that cannot be listed) propagate.
CheckReport checkPackage(const std::string& folder, const RunEnvironment& environment);

}  // namespace quillmere::cli
