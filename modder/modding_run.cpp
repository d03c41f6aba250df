#include "modding_run.h"

#include <vector>

#include "device_catalogue.h"
#include "driver_path_value.h"
#include "file_replace.h"
#include "inf_section_plan.h"
#include "modified_mark.h"
#include "package_boundary.h"
#include "package_edit.h"
#include "package_lock.h"
#include "package_scanner.h"
#include "platform.h"

namespace quillmere {
namespace {

constexpr const char* kWrongFolder =
    "This directory does not contain the correct files, please check the directory and try again";
constexpr const char* kAlreadyModified = "This set is already modified";

// Every text the run writes, built once before any file is touched.
struct RunTexts {
    std::string manufacturer = buildManufacturerContent();
    std::string driverPath = buildDriverPathValue();
    std::vector<InfSection> sections = buildInfSections();
};

// The three files the run edits: the paths the scan put into their slots.
struct PackageFiles {
    std::string installIni;
    std::string c2Inf;
    std::string cxInf;
};

// Why the run turns the package down, as the user is told; nothing when the run goes on.
using Refusal = std::optional<std::string>;

std::string describe(const std::error_code& ec) {
    return ec.message();
}

RunOutcome refuse(ModdingHost& host, const std::string& message) {
    host.showMessage(message);
    host.endProgram();
    return RunOutcome::Refused;
}

std::string cannotRead(const std::string& file, const std::error_code& ec) {
    return "Cannot read " + file + " (" + describe(ec) + "). Nothing was changed.";
}

// The files the scan found, or nothing when one is missing. Without both INF files the writes
// would land in files named after the empty slots.
std::optional<PackageFiles> foundFiles(ModdingHost& host) {
    PackageFiles files;
    files.installIni = host.slotText(FoundSlot::Label2);
    if (files.installIni == placeholderText(FoundSlot::Label2)) return std::nullopt;
    files.c2Inf = host.slotText(FoundSlot::Label3);
    files.cxInf = host.slotText(FoundSlot::Label4);
    if (files.c2Inf == placeholderText(FoundSlot::Label3) ||
        files.cxInf == placeholderText(FoundSlot::Label4)) {
        return std::nullopt;
    }
    return files;
}

Refusal checkInsideFolder(const std::string& folder, const PackageFiles& files) {
    for (const std::string& file : {files.installIni, files.c2Inf, files.cxInf}) {
        if (leadsOutside(folder, file)) {
            return "Cannot write to " + file + " (it leads outside the chosen folder). Nothing was changed.";
        }
    }
    return std::nullopt;
}

// The folders whose entries a run changes: those that hold the files the paths lead to.
std::vector<std::filesystem::path> foldersOf(const ProfileEditor& editor, const PackageFiles& files) {
    std::vector<std::filesystem::path> folders;
    for (const std::string& file : {files.installIni, files.c2Inf, files.cxInf}) {
        const std::filesystem::path path = editor.resolve(file);
        std::error_code ec;
        std::filesystem::path real = platform::realPath(path, ec);
        if (ec) real = path;
        folders.push_back(real.has_parent_path() ? real.parent_path() : std::filesystem::path("."));
    }
    return folders;
}

// From before the sweep (which would take another run's live files for leftovers) to after the
// last flush, no other run may touch these folders. A run that waited finds the package modified
// and refuses it.
Refusal lockPackage(platform::PackageLock& lock, const ProfileEditor& editor, const std::string& folder,
                    const PackageFiles& files, std::chrono::milliseconds wait) {
    const std::error_code ec = lock.lock(foldersOf(editor, files), wait);
    if (!ec) return std::nullopt;
    if (ec == std::errc::resource_unavailable_try_again) {
        return "Another run is modding this package in " + folder +
               "; try again once it has ended. Nothing was changed.";
    }
    return "Cannot lock the package in " + folder + " (" + describe(ec) + "). Nothing was changed.";
}

// What a run stopped dead left beside the files goes first, whatever this run then does.
void removeLeftovers(ProfileEditor& editor, const PackageFiles& files) {
    for (const std::string& file : {files.installIni, files.c2Inf, files.cxInf}) editor.removeLeftovers(file);
}

// Reads the C2 INF (once: `c2Text` is what the edits start from), turns down a package this tool
// has modded already, and finds out before the first write whether every write can succeed.
Refusal checkPackage(ProfileEditor& editor, const PackageFiles& files, const RunTexts& texts,
                     profile::DecodedProfile& c2Text) {
    if (auto ec = editor.load(files.c2Inf, c2Text)) return cannotRead(files.c2Inf, ec);
    if (isAlreadyModified(c2Text, texts.manufacturer)) return kAlreadyModified;
    for (const std::string& file : {files.installIni, files.c2Inf, files.cxInf}) {
        if (auto ec = editor.probeWritable(file)) {
            return "Cannot write to " + file + " (" + describe(ec) + "). Nothing was changed.";
        }
    }
    return std::nullopt;
}

// Load order is replace order. The C2 INF goes last: its [ATI.Mfg] is what marks the package as
// modified, so a run killed before that replace leaves a package the next run still mods.
Refusal loadPackage(PackageEdit& edit, const PackageFiles& files, profile::DecodedProfile c2Text) {
    for (const std::string& file : {files.installIni, files.cxInf}) {
        if (auto ec = edit.load(file)) return cannotRead(file, ec);
    }
    if (auto ec = edit.load(files.c2Inf, std::move(c2Text))) return cannotRead(files.c2Inf, ec);
    return std::nullopt;
}

// Every edit of the run, in memory: the driver path under "R6", then the sections of both INFs.
void editPackage(PackageEdit& edit, const PackageFiles& files, const RunTexts& texts) {
    edit.writeKey(files.c2Inf, "WIN2K", "R6", texts.driverPath);
    edit.writeKey(files.cxInf, "WINXP", "R6", texts.driverPath);
    edit.writeKey(files.installIni, "WIN2K", "R6", texts.driverPath);
    edit.writeKey(files.installIni, "WINXP", "R6", texts.driverPath);
    for (const std::string& inf : {files.c2Inf, files.cxInf}) {
        for (const InfSection& section : texts.sections)
            edit.writeSection(inf, section.name, section.content);
    }
}

RunOutcome reportFailure(ModdingHost& host, const PackageEdit::CommitFailure& failure) {
    std::string message =
        "Modding failed while writing " + failure.file + " (" + describe(failure.reason) + ").";
    if (failure.notRestored.empty()) {
        message += " Nothing was changed.";
    } else {
        // Never claim the package is untouched when a restore failed too: say what is on disk.
        for (const auto& [file, ec] : failure.notRestored) {
            message +=
                " " + file + " holds this run's changes: it could not be put back (" + describe(ec) + ").";
        }
        message += " Every other file is as it was.";
    }
    host.showMessage(message);
    host.endProgram();
    return failure.notRestored.empty() ? RunOutcome::Failed : RunOutcome::NotRestored;
}

// Only ever the slot's path: a bare name would be looked up in the working folder and on the
// search path, and whatever the system found there would be started.
void startSetup(const RunEnvironment& environment, const std::string& setup) {
    if (setup == placeholderText(FoundSlot::Label5)) {
        throw StartError("Cannot start " + setup + ": no setup program was found");
    }
    try {
        if (environment.startProgram) {
            environment.startProgram(setup);
        } else {
            platform::startProgram(setup);
        }
    } catch (const std::exception& error) {
        throw StartError(error.what());
    }
}

// Tells the user each file is modded and offers to start the package's setup program.
void offerSetup(ModdingHost& host, const RunEnvironment& environment) {
    host.showMessage("Modded the install.ini");
    host.showMessage("modded the C2xxxinf file");
    host.showMessage("modded the CXxxxinf file");
    host.showMessage("Modding complete, thanks for using the modder!");

    const std::string setup = host.slotText(FoundSlot::Label5);
    if (host.askYesNo("Do you want to install the drivers now?", "Install now?") == Answer::Yes) {
        startSetup(environment, setup);
    } else {
        host.showMessage("You can always start the setup from --> " + setup);
    }
}

}  // namespace

RunOutcome runModding(ModdingHost& host, const RunEnvironment& environment) {
    ProfileEditor defaultEditor;
    ProfileEditor& editor = environment.editor ? *environment.editor : defaultEditor;
    host.fso = environment.makeAccessor ? environment.makeAccessor() : std::make_unique<FileSystemAccessor>();
    const RunTexts texts;

    const std::string folder = host.chosenFolder();
    scanPackageFolder(*host.fso, host, folder, environment.scanObserver);
    const std::optional<PackageFiles> files = foundFiles(host);
    if (!files) return refuse(host, kWrongFolder);
    if (const Refusal refusal = checkInsideFolder(folder, *files)) return refuse(host, *refusal);

    platform::PackageLock lock;
    if (const Refusal refusal = lockPackage(lock, editor, folder, *files, environment.lockWait)) {
        return refuse(host, *refusal);
    }
    removeLeftovers(editor, *files);
    profile::DecodedProfile c2Text;
    if (const Refusal refusal = checkPackage(editor, *files, texts, c2Text)) return refuse(host, *refusal);
    PackageEdit edit(editor);
    if (const Refusal refusal = loadPackage(edit, *files, std::move(c2Text))) return refuse(host, *refusal);
    editPackage(edit, *files, texts);
    if (environment.beforeReplace) {
        if (const Refusal refusal = environment.beforeReplace(edit)) return refuse(host, *refusal);
    }

    const auto failure = edit.commit();
    lock.unlock();
    if (failure) return reportFailure(host, *failure);
    offerSetup(host, environment);
    host.endProgram();
    return RunOutcome::Modded;
}

void runModdingInWindow(ModdingHost& host, const RunEnvironment& environment) {
    try {
        runModding(host, environment);
    } catch (const std::exception& error) {
        host.showMessage(error.what());
        host.endProgram();
    }
}

}  // namespace quillmere
