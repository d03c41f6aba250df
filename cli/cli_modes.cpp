#include "cli_modes.h"

#include <exception>
#include <ostream>

#include "backup.h"
#include "cli_app.h"
#include "package_check.h"
#include "platform.h"
#include "preview_run.h"
#include "profile_encoding.h"
#include "unified_diff.h"

namespace quillmere::cli {
namespace {

int statusOf(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::Ready:
            return kModded;
        case CheckVerdict::WouldRefuse:
            return kRefused;
        case CheckVerdict::LacksSections:
            return kLacksSections;
        case CheckVerdict::RunFails:
            return kError;
    }
    return kError;
}

// "a/..." and "b/..." labels with "/" between folders, so that `patch -p1` in FOLDER applies it.
std::string diffLabel(const std::string& folder, const PreviewedFile& file) {
    const auto relative = relativeTo(platform::toPath(folder), file.resolved);
    if (!relative) return file.path;
    std::string text = platform::fromPath(*relative);
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    return text;
}

}  // namespace

bool reportLost(ConsoleStreams streams) {
    streams.out.flush();
    if (!streams.out.fail()) return false;
    streams.err << "quillmere-mod: the report could not be written to standard output\n" << std::flush;
    return true;
}

int runCheck(const CliOptions& options, ConsoleStreams streams, const RunEnvironment& environment) {
    try {
        const CheckReport report = checkPackage(options.folder, environment);
        if (!options.quiet)
            streams.out << (options.json ? renderJson(report) : renderText(report)) << std::flush;
        // A report cut short by a full disk is no report: the status must not vouch for it.
        if (reportLost(streams)) return kError;
        return statusOf(report.verdict);
    } catch (const std::exception& error) {
        streams.err << "quillmere-mod: " << error.what() << '\n';
        return kError;
    }
}

int runDiff(const CliOptions& options, ConsoleStreams streams, const RunEnvironment& environment) {
    try {
        // A preview never asks: without an answer it is No, as for a run without a terminal.
        const InstallAnswer answer =
            options.answer == InstallAnswer::Yes ? InstallAnswer::Yes : InstallAnswer::No;
        const Preview preview(options.folder, answer, environment);
        for (const PreviewedFile& file : preview.files()) {
            if (!file.before || !file.after) continue;
            const std::string label = diffLabel(options.folder, file);
            const auto encoding = profile::decodeProfile(std::string_view(*file.before)).encoding;
            if (encoding == profile::FileEncoding::Bytes8) {
                streams.out << unifiedDiff("a/" + label, "b/" + label, *file.before, *file.after);
                continue;
            }
            // patch cannot apply a diff of UTF-16 bytes: show the text, and say so.
            streams.out << "# " << label
                        << " is stored as UTF-16: the diff shows its text as UTF-8 and does not"
                        << " apply with patch\n";
            const auto text = [&](const std::string& bytes) {
                const auto decoded = profile::decodeProfile(std::string_view(bytes));
                return decoded.text;
            };
            streams.out << unifiedDiff("a/" + label, "b/" + label, text(*file.before), text(*file.after));
        }
        const bool modded = preview.outcome() == RunOutcome::Modded;
        std::ostream& messages = options.quiet ? streams.err : streams.out;
        if (!options.quiet || !modded) {
            for (const std::string& line : preview.messages()) messages << line << '\n';
        }
        // A diff cut short applies to nothing: exit as an error, not with the run's status.
        if (reportLost(streams)) return kError;
        return exitStatusOf(preview.outcome());
    } catch (const std::exception& error) {
        streams.err << "quillmere-mod: " << error.what() << '\n';
        return kError;
    }
}

int runRestore(const CliOptions& options, ConsoleStreams streams) {
    const RestoreResult result = restoreBackup(platform::toPath(options.restoreDir), options.folder);
    if (!options.quiet) {
        for (const std::string& file : result.restored) streams.out << "Restored " << file << '\n';
    }
    if (!result.message.empty()) streams.err << "quillmere-mod: " << result.message << '\n';
    reportLost(streams);  // the files are what the status says, whatever became of the report
    switch (result.status) {
        case RestoreResult::Status::Restored:
            return kModded;
        case RestoreResult::Status::Refused:
            return kRefused;
        case RestoreResult::Status::Failed:
            return kError;
    }
    return kError;
}

}  // namespace quillmere::cli
