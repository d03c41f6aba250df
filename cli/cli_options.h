#pragma once
// The command line of quillmere-mod: [--yes | --no] [--quiet] FOLDER, --help, --version.

#include <optional>
#include <string>
#include <vector>

namespace quillmere::cli {

enum class InstallAnswer { Ask, Yes, No };

struct CliOptions {
    InstallAnswer answer = InstallAnswer::Ask;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::string folder;
};

struct ParseResult {
    std::optional<CliOptions> options;
    std::string error;  // set when options is empty
};

ParseResult parseArguments(const std::vector<std::string>& args);

std::string usageLine();
std::string helpText();

}  // namespace quillmere::cli
