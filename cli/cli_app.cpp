#include "cli_app.h"

#include <exception>
#include <ostream>

#include "package_scanner.h"

namespace quillmere::cli {

int runCli(const std::vector<std::string>& args, ConsoleStreams streams, const RunEnvironment& environment) {
    const ParseResult parsed = parseArguments(args);
    if (!parsed.options) {
        streams.err << "quillmere-mod: " << parsed.error << '\n' << usageLine() << '\n';
        return kUsage;
    }
    const CliOptions& options = *parsed.options;
    if (options.help) {
        streams.out << helpText();
        return 0;
    }
    if (options.version) {
        streams.out << "quillmere-mod " << QUILLMERE_VERSION << '\n';
        return 0;
    }
    if (!folderExists(options.folder + "/")) {
        streams.err << "quillmere-mod: no such folder: " << options.folder << '\n' << usageLine() << '\n';
        return kUsage;
    }

    ConsoleHost host(options, streams);
    try {
        const RunOutcome outcome = runModding(host, environment);
        host.finish(outcome == RunOutcome::Modded);
        switch (outcome) {
            case RunOutcome::Modded:
                return kModded;
            case RunOutcome::Refused:
                return kRefused;
            case RunOutcome::Failed:
                return kError;
            case RunOutcome::NotRestored:
                return kNotRestored;
        }
    } catch (const StartError& error) {
        host.finish(false);
        streams.err << "quillmere-mod: " << error.what() << '\n';
        return kStartFailed;
    } catch (const std::exception& error) {
        host.finish(false);
        streams.err << "quillmere-mod: " << error.what() << '\n';
    }
    return kError;
}

}  // namespace quillmere::cli
