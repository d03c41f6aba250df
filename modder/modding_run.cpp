#include "modding_run.h"

#include <array>
#include <vector>

#include "device_catalogue.h"
#include "driver_path_value.h"
#include "file_replace.h"
#include "inf_section_plan.h"
#include "package_boundary.h"
#include "package_edit.h"
#include "package_lock.h"
#include "package_scanner.h"
#include "platform.h"
#include "profile_text.h"

namespace quillmere {
namespace {

constexpr std::uint32_t kReadBufferSize = 1024;

constexpr const char* kWrongFolder =
    "This directory does not contain the correct files, please check the directory and try again";
constexpr const char* kAlreadyModified = "This set is already modified";

// Every text the run writes, built once before any file is touched.
struct RunTexts {
    std::string manufacturer = buildManufacturerContent();
    std::string driverPath = buildDriverPathValue();
    std::vector<InfSection> sections = buildInfSections();
};

std::string describe(const std::error_code& ec) {
    return ec.message();
}

RunOutcome refuse(ModdingHost& host, const std::string& message) {
    host.showMessage(message);
    host.endProgram();
    return RunOutcome::Refused;
}

// The folders whose entries a run changes: those that hold the files the paths lead to.
std::vector<std::filesystem::path> foldersOf(const ProfileEditor& editor,
                                             const std::vector<std::string>& files) {
    std::vector<std::filesystem::path> folders;
    for (const std::string& file : files) {
        const std::filesystem::path path = editor.resolve(file);
        std::error_code ec;
        std::filesystem::path real = platform::realPath(path, ec);
        if (ec) real = path;
        folders.push_back(real.has_parent_path() ? real.parent_path() : std::filesystem::path("."));
    }
    return folders;
}

std::string cannotRead(const std::string& file, const std::error_code& ec) {
    return "Cannot read " + file + " (" + describe(ec) + "). Nothing was changed.";
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

}  // namespace

RunOutcome runModding(ModdingHost& host, const RunEnvironment& environment) {
    std::array<char, kReadBufferSize> readBuffer{};
    ProfileEditor defaultEditor;
    ProfileEditor& editor = environment.editor ? *environment.editor : defaultEditor;

    host.fso = environment.makeAccessor ? environment.makeAccessor() : std::make_unique<FileSystemAccessor>();
    const RunTexts texts;

    const std::string folder = host.chosenFolder();
    scanPackageFolder(*host.fso, host, folder, environment.scanObserver);

    const std::string installIni = host.slotText(FoundSlot::Label2);
    if (installIni == placeholderText(FoundSlot::Label2)) return refuse(host, kWrongFolder);
    const std::string c2Inf = host.slotText(FoundSlot::Label3);
    const std::string cxInf = host.slotText(FoundSlot::Label4);
    // Without both INF files the writes would land in files named after the empty slots.
    if (c2Inf == placeholderText(FoundSlot::Label3) || cxInf == placeholderText(FoundSlot::Label4)) {
        return refuse(host, kWrongFolder);
    }

    for (const std::string& file : {installIni, c2Inf, cxInf}) {
        if (leadsOutside(folder, file)) {
            return refuse(host, "Cannot write to " + file +
                                    " (it leads outside the chosen folder). Nothing was changed.");
        }
    }
    // From before the sweep (which would take another run's live files for leftovers) to after
    // the last flush, no other run may touch these folders. A run that waited finds the package
    // modified and refuses it.
    platform::PackageLock lock;
    if (auto ec = lock.lock(foldersOf(editor, {installIni, c2Inf, cxInf}), environment.lockWait)) {
        if (ec == std::errc::resource_unavailable_try_again) {
            return refuse(host, "Another run is modding this package in " + folder +
                                    "; try again once it has ended. Nothing was changed.");
        }
        return refuse(
            host, "Cannot lock the package in " + folder + " (" + describe(ec) + "). Nothing was changed.");
    }
    // What a run stopped dead left beside the files goes first, whatever this run then does.
    for (const std::string& file : {installIni, c2Inf, cxInf})
        editor.removeLeftovers(file);

    std::uint32_t length = 0;
    if (auto ec = editor.readSection("ATI.Mfg", readBuffer.data(), kReadBufferSize, c2Inf, length)) {
        return refuse(host, cannotRead(c2Inf, ec));
    }
    if (std::string_view(readBuffer.data(), 3) == std::string_view(texts.manufacturer).substr(0, 3)) {
        return refuse(host, kAlreadyModified);
    }

    // Find out before the first write whether every write can succeed.
    for (const std::string& file : {installIni, c2Inf, cxInf}) {
        if (auto ec = editor.probeWritable(file)) {
            return refuse(host, "Cannot write to " + file + " (" + describe(ec) + "). Nothing was changed.");
        }
    }

    // Load order is replace order. The C2 INF goes last: its [ATI.Mfg] is what marks the package
    // as modified, so a run killed before that replace leaves a package the next run still mods.
    PackageEdit edit(editor);
    for (const std::string& file : {installIni, cxInf, c2Inf}) {
        if (auto ec = edit.load(file)) return refuse(host, cannotRead(file, ec));
    }
    edit.writeKey(c2Inf, "WIN2K", "R6", texts.driverPath);
    edit.writeKey(cxInf, "WINXP", "R6", texts.driverPath);
    edit.writeKey(installIni, "WIN2K", "R6", texts.driverPath);
    edit.writeKey(installIni, "WINXP", "R6", texts.driverPath);
    for (const std::string& inf : {c2Inf, cxInf}) {
        for (const InfSection& section : texts.sections)
            edit.writeSection(inf, section.name, section.content);
    }

    if (environment.beforeReplace) {
        if (const auto refusal = environment.beforeReplace(edit)) return refuse(host, *refusal);
    }

    const auto failure = edit.commit();
    lock.unlock();
    if (failure) {
        std::string message =
            "Modding failed while writing " + failure->file + " (" + describe(failure->reason) + ").";
        if (failure->notRestored.empty()) {
            message += " Nothing was changed.";
        } else {
            // Never claim the package is untouched when a restore failed too: say what is on disk.
            for (const auto& [file, ec] : failure->notRestored) {
                message += " " + file + " holds this run's changes: it could not be put back (" +
                           describe(ec) + ").";
            }
            message += " Every other file is as it was.";
        }
        host.showMessage(message);
        host.endProgram();
        return failure->notRestored.empty() ? RunOutcome::Failed : RunOutcome::NotRestored;
    }

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
