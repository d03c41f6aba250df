#include "cli_options.h"

#include <string_view>

namespace quillmere::cli {
namespace {

class Parser {
  public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParseResult parse() {
        for (next_ = 0; next_ < args_.size();) {
            const std::string arg = args_[next_++];
            if (!endOfOptions_ && arg == "--") {
                endOfOptions_ = true;
            } else if (!endOfOptions_ && arg.starts_with("--")) {
                if (!longOption(arg)) return {std::nullopt, error_};
            } else if (!endOfOptions_ && arg.size() > 1 && arg[0] == '-') {
                // Short options may be bundled: -yq is -y -q.
                for (const char c : std::string_view(arg).substr(1)) {
                    if (!shortOption(c)) return {std::nullopt, error_};
                }
            } else {
                positional_.push_back(arg);
            }
        }
        return finish();
    }

  private:
    bool fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    bool setAnswer(InstallAnswer answer) {
        if (sawAnswer_ && answer != options_.answer) return fail("--yes and --no exclude each other");
        options_.answer = answer;
        sawAnswer_ = true;
        return true;
    }

    bool setMode(Mode mode, const std::string& name) {
        if (modeName_.size() && options_.mode != mode)
            return fail(modeName_ + " and " + name + " exclude each other");
        options_.mode = mode;
        modeName_ = name;
        return true;
    }

    // The value of --name VALUE or --name=VALUE.
    bool value(const std::string& name, std::string_view inline_, bool hasInline, std::string& out) {
        if (hasInline) {
            out = inline_;
        } else if (next_ < args_.size()) {
            out = args_[next_++];
        } else {
            return fail(name + " needs a folder");
        }
        if (out.empty()) return fail(name + " needs a folder");
        return true;
    }

    bool longOption(const std::string& arg) {
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        const bool hasInline = eq != std::string::npos;
        const std::string_view inline_ =
            hasInline ? std::string_view(arg).substr(eq + 1) : std::string_view();
        if (name == "--backup") return value(name, inline_, hasInline, options_.backupDir);
        if (name == "--restore")
            return setMode(Mode::Restore, name) && value(name, inline_, hasInline, options_.restoreDir);
        if (hasInline) return fail("option " + name + " takes no value");
        if (name == "--yes") return setAnswer(InstallAnswer::Yes);
        if (name == "--no") return setAnswer(InstallAnswer::No);
        if (name == "--quiet") return options_.quiet = true;
        if (name == "--verbose") return options_.verbose = true;
        if (name == "--json") return options_.json = true;
        if (name == "--check") return setMode(Mode::Check, name);
        if (name == "--diff") return setMode(Mode::Diff, name);
        if (name == "--help") return options_.help = true;
        if (name == "--version") return options_.version = true;
        return fail("unknown option " + arg);
    }

    bool shortOption(char c) {
        switch (c) {
            case 'y':
                return setAnswer(InstallAnswer::Yes);
            case 'n':
                return setAnswer(InstallAnswer::No);
            case 'q':
                return options_.quiet = true;
            case 'h':
                return options_.help = true;
            case 'V':
                return options_.version = true;
            default:
                return fail(std::string("unknown option -") + c);
        }
    }

    ParseResult finish() {
        if (options_.help || options_.version) return {options_, {}};
        if (options_.quiet && options_.verbose)
            return {std::nullopt, "--quiet and --verbose exclude each other"};
        if (options_.json && options_.mode != Mode::Check)
            return {std::nullopt, "--json goes with --check only"};
        if (!options_.backupDir.empty() && options_.mode != Mode::Run)
            return {std::nullopt, "--backup goes with a run only, not with " + modeName_};
        if (positional_.empty()) return {std::nullopt, "missing FOLDER"};
        if (positional_.size() > 1) return {std::nullopt, "only one FOLDER may be given"};
        // An empty text would be taken for the root folder and the whole disk scanned.
        if (positional_.front().empty()) return {std::nullopt, "FOLDER is empty"};
        options_.folder = positional_.front();
        return {options_, {}};
    }

    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    CliOptions options_;
    std::vector<std::string> positional_;
    std::string modeName_;
    std::string error_;
    bool sawAnswer_ = false;
    bool endOfOptions_ = false;
};

}  // namespace

ParseResult parseArguments(const std::vector<std::string>& args) {
    return Parser(args).parse();
}

std::string usageLine() {
    return "usage: quillmere-mod [-y | -n] [-q | --verbose] [--backup DIR] FOLDER\n"
           "       quillmere-mod --check [--json] FOLDER\n"
           "       quillmere-mod --diff [-y | -n] [-q] FOLDER\n"
           "       quillmere-mod --restore DIR FOLDER";
}

std::string helpText() {
    return usageLine() +
           "\n\n"
           "Mods the extracted driver package in FOLDER so that it installs on the notebook\n"
           "chips of the same families: finds its setup.exe, install.ini and C2/CX INF files,\n"
           "writes the driver-path key R6 and 41 sections into each INF, and reports each step.\n"
           "\n"
           "  -y, --yes         start the package's installer afterwards without asking\n"
           "  -n, --no          do not start the installer and do not ask\n"
           "  -q, --quiet       print only failures (to standard error)\n"
           "      --verbose     also name each file found and each file changed\n"
           "      --backup DIR  before the first change, copy the three originals into DIR\n"
           "                    (created; an existing backup is never overwritten)\n"
           "      --check       report what a run would find and do; change and create nothing\n"
           "      --json        with --check: the report as one JSON object\n"
           "      --diff        print what a run would change as a unified diff, then the run's\n"
           "                    messages; change nothing\n"
           "      --restore DIR put back into FOLDER the originals kept in DIR, if FOLDER is the\n"
           "                    package the backup was made of and its files are still what\n"
           "                    the run wrote\n"
           "  -h, --help        show this text\n"
           "  -V, --version     show the version\n"
           "\n"
           "Without --yes or --no the question is asked when standard input is a terminal,\n"
           "and answered No otherwise.\n"
           "\n"
           "Exit status:\n"
           "  0  modded (--check: ready to mod; --restore: restored)\n"
           "  1  refused: no install.ini, already modified, a file that cannot be read or\n"
           "     written, a file that leads outside FOLDER, a backup folder inside FOLDER,\n"
           "     another run that held the package; nothing was changed (--check: a run\n"
           "     would refuse; --restore: FOLDER is not the backup's package, or a file\n"
           "     changed since the run)\n"
           "  2  usage error\n"
           "  3  an error ended the run and every file is as it was (a folder that cannot\n"
           "     be listed, a write that failed and was undone); --check, --diff: standard\n"
           "     output could not be written\n"
           "  4  modded, but the installer could not be started\n"
           "  5  --check: a run would mod, but an INF file lacks sections the written lines need\n"
           "  6  a write failed and a file could not be put back (the message names it)\n";
}

}  // namespace quillmere::cli
