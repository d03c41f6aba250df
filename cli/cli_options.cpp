#include "cli_options.h"

namespace quillmere::cli {

ParseResult parseArguments(const std::vector<std::string>& args) {
    CliOptions options;
    bool sawAnswer = false;
    bool endOfOptions = false;
    std::vector<std::string> positional;
    for (const std::string& arg : args) {
        if (!endOfOptions && arg == "--") {
            endOfOptions = true;
        } else if (!endOfOptions && (arg == "--yes" || arg == "--no")) {
            const auto answer = arg == "--yes" ? InstallAnswer::Yes : InstallAnswer::No;
            if (sawAnswer && answer != options.answer)
                return {std::nullopt, "--yes and --no exclude each other"};
            options.answer = answer;
            sawAnswer = true;
        } else if (!endOfOptions && arg == "--quiet") {
            options.quiet = true;
        } else if (!endOfOptions && (arg == "--help" || arg == "-h")) {
            options.help = true;
        } else if (!endOfOptions && arg == "--version") {
            options.version = true;
        } else if (!endOfOptions && arg.size() > 1 && arg[0] == '-') {
            return {std::nullopt, "unknown option " + arg};
        } else {
            positional.push_back(arg);
        }
    }
    if (options.help || options.version) return {options, {}};
    if (positional.empty()) return {std::nullopt, "missing FOLDER"};
    if (positional.size() > 1) return {std::nullopt, "only one FOLDER may be given"};
    // An empty text would be taken for the root folder and the whole disk scanned.
    if (positional.front().empty()) return {std::nullopt, "FOLDER is empty"};
    options.folder = positional.front();
    return {options, {}};
}

std::string usageLine() {
    return "usage: quillmere-mod [--yes | --no] [--quiet] FOLDER";
}

std::string helpText() {
    return usageLine() +
           "\n\n"
           "Mods the extracted driver package in FOLDER so that it installs on the notebook\n"
           "chips of the same families: finds its setup.exe, install.ini and C2/CX INF files,\n"
           "writes the driver-path key R6 and 41 sections into each INF, and reports each step.\n"
           "\n"
           "  --yes      start the package's installer afterwards without asking\n"
           "  --no       do not start the installer and do not ask\n"
           "  --quiet    print only failures (to standard error)\n"
           "  --help     show this text\n"
           "  --version  show the version\n"
           "\n"
           "Without --yes or --no the question is asked when standard input is a terminal,\n"
           "and answered No otherwise.\n"
           "\n"
           "Exit status:\n"
           "  0  modded\n"
           "  1  refused: no install.ini, already modified, a file that cannot be read or\n"
           "     written, a file that leads outside FOLDER; nothing was changed\n"
           "  2  usage error\n"
           "  3  an error ended the run and every file is as it was (a folder that cannot\n"
           "     be listed, a write that failed and was undone)\n"
           "  4  modded, but the installer could not be started\n"
           "  5  a write failed and a file could not be put back (the message names it)\n";
}

}  // namespace quillmere::cli
