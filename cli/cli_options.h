#pragma once
// The command line of quillmere-mod: a run, a check, a preview (diff) or a restore.

#include <optional>
#include <string>
#include <vector>

namespace quillmere::cli {

enum class InstallAnswer { Ask, Yes, No };

enum class Mode {
    Run,      // mod FOLDER
    Check,    // --check FOLDER: report, change nothing
    Diff,     // --diff FOLDER: what a run would write, as a unified diff
    Restore,  // --restore DIR: put a backup's originals back
};

struct CliOptions {
    Mode mode = Mode::Run;
    InstallAnswer answer = InstallAnswer::Ask;
    bool quiet = false;
    bool verbose = false;
    bool json = false;
    bool help = false;
    bool version = false;
    std::string folder;
    std::string backupDir;   // --backup DIR (runs only); empty: no backup
    std::string restoreDir;  // --restore DIR
};

struct ParseResult {
    std::optional<CliOptions> options;
    std::string error;  // set when options is empty
};

ParseResult parseArguments(const std::vector<std::string>& args);

std::string usageLine();
std::string helpText();

}  // namespace quillmere::cli
