#include "cli_app.h"

#include <exception>
#include <ostream>

#include "backup.h"
#include "cli_modes.h"
#include "package_scanner.h"
#include "platform.h"

namespace quillmere::cli {

int exitStatusOf(RunOutcome outcome) {
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
    return kError;
}

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
    if (options.mode == Mode::Restore) return runRestore(options, streams);
    if (!folderExists(options.folder + "/")) {
        streams.err << "quillmere-mod: no such folder: " << options.folder << '\n' << usageLine() << '\n';
        return kUsage;
    }

    if (options.mode == Mode::Check) return runCheck(options, streams, environment);
    if (options.mode == Mode::Diff) return runDiff(options, streams, environment);

    ConsoleHost host(options, streams);
    RunEnvironment run = environment;
    ProfileEditor defaultEditor;
    ProfileEditor& editor = environment.editor ? *environment.editor : defaultEditor;
    run.editor = &editor;
    std::vector<std::string> changing;
    run.beforeReplace = [&](const PackageEdit& edit) -> std::optional<std::string> {
        changing = edit.files();
        if (options.backupDir.empty()) return std::nullopt;
        return writeBackup(platform::toPath(options.backupDir), options.folder, edit, editor);
    };
    // The status tells what became of the files; a report lost on the way is said on standard
    // error but changes no status.
    int status = kError;
    try {
        const RunOutcome outcome = runModding(host, run);
        if (outcome == RunOutcome::Modded) host.reportChanged(changing);
        host.finish(outcome == RunOutcome::Modded);
        status = exitStatusOf(outcome);
    } catch (const StartError& error) {
        host.finish(false);
        streams.err << "quillmere-mod: " << error.what() << '\n';
        status = kStartFailed;
    } catch (const std::exception& error) {
        host.finish(false);
        streams.err << "quillmere-mod: " << error.what() << '\n';
    }
    reportLost(streams);
    return status;
}

}  // namespace quillmere::cli
