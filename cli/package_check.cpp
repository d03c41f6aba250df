#include "package_check.h"

#include <algorithm>
#include <array>
#include <set>

#include "device_catalogue.h"
#include "inf_section_plan.h"
#include "modified_mark.h"
#include "package_references.h"
#include "platform.h"
#include "preview_run.h"
#include "profile_encoding.h"
#include "profile_text.h"

namespace quillmere::cli {
namespace {

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Windows finds files without regard to letter case, and packages ship most files compressed,
// with the last letter of the extension replaced by "_".
bool namesFile(std::string_view fileName, std::string_view wanted) {
    const std::string name = lowerAscii(fileName);
    std::string plain = lowerAscii(wanted);
    if (name == plain) return true;
    plain.back() = '_';
    return name == plain;
}

class CheckObserver : public ScanExplanation {
  public:
    void fileVisited(const ScannedFile& file) override {
        for (std::size_t i = 0; i < kReferencedFiles.size(); ++i) {
            if (namesFile(file.name, kReferencedFiles[i])) found[i].push_back(file.path);
        }
    }
    std::array<std::vector<std::string>, 2> found;
};

std::string encodingName(profile::FileEncoding encoding) {
    if (encoding == profile::FileEncoding::Utf16Le) return "UTF-16 LE";
    if (encoding == profile::FileEncoding::Bytes8) return "8-bit";
    return "other";
}

LineEnds countLineEnds(std::string_view text) {
    LineEnds ends;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++ends.lf;
        } else if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++ends.crlf;
                ++i;
            } else {
                ++ends.cr;
            }
        }
    }
    ends.lastLineEnded = text.empty() || text.back() == '\n' || text.back() == '\r';
    return ends;
}

InfReport inspectInf(const PreviewedFile& file, const profile::DecodedProfile& decoded) {
    InfReport report{file.slot, file.path, {}, {}, {}};
    std::set<std::string> present;
    for (const std::string_view name : profile::sectionNames(decoded.text)) present.insert(lowerAscii(name));
    const auto has = [&](std::string_view name) { return present.count(lowerAscii(name)) > 0; };
    for (const InfSection& section : buildInfSections()) {
        (has(section.name) ? report.replaced : report.appended).push_back(section.name);
    }
    for (const std::string_view name : kReferencedSections) {
        if (!has(name)) report.missing.emplace_back(name);
    }
    return report;
}

CheckVerdict verdictOf(const CheckReport& report) {
    if (report.runOutcome == RunOutcome::Refused) return CheckVerdict::WouldRefuse;
    if (report.runOutcome == RunOutcome::Failed) return CheckVerdict::RunFails;
    for (const InfReport& inf : report.infs) {
        if (!inf.missing.empty()) return CheckVerdict::LacksSections;
    }
    return CheckVerdict::Ready;
}

}  // namespace

CheckReport checkPackage(const std::string& folder, const RunEnvironment& environment) {
    CheckObserver observer;
    Preview preview(folder, InstallAnswer::No, environment, &observer, /*keepWrites=*/false);

    CheckReport report;
    report.folder = folder;
    report.runOutcome = preview.outcome();
    report.runMessages = preview.messages();
    for (const FoundSlot slot : kFoundSlots) {
        SlotReport slotReport{slot, std::nullopt, observer.candidates(slot)};
        if (preview.found(slot)) slotReport.path = preview.slotText(slot);
        report.slots.push_back(std::move(slotReport));
    }

    std::optional<profile::DecodedProfile> c2Text;
    for (PreviewedFile& file : preview.takeFiles()) {
        FileReport fileReport{file.slot, file.path, file.before.has_value(), 0, {}, {}, {}};
        if (const auto ec = preview.store().probeWritable(file.resolved))
            fileReport.writeProblem = ec.message();
        if (file.before) {
            fileReport.size = file.before->size();
            profile::DecodedProfile decoded = profile::decodeProfile(std::move(*file.before));
            fileReport.encoding = encodingName(decoded.encoding);
            fileReport.lineEnds = countLineEnds(decoded.text);
            if (file.slot != FoundSlot::Label2) report.infs.push_back(inspectInf(file, decoded));
            if (file.slot == FoundSlot::Label3) c2Text = std::move(decoded);
        }
        report.files.push_back(std::move(fileReport));
    }
    // A CX INF that is the C2 INF too is inspected once, as both.
    if (preview.found(FoundSlot::Label3) && preview.found(FoundSlot::Label4) &&
        preview.slotText(FoundSlot::Label3) == preview.slotText(FoundSlot::Label4) &&
        report.infs.size() == 1) {
        InfReport copy = report.infs.front();
        copy.slot = FoundSlot::Label4;
        report.infs.push_back(std::move(copy));
    }

    // The run's own test, on the text the run read.
    if (c2Text) report.c2Modified = isAlreadyModified(*c2Text, buildManufacturerContent());

    const std::filesystem::path systemInf = platform::systemInfFolder();
    for (std::size_t i = 0; i < kReferencedFiles.size(); ++i) {
        ReferencedFileReport referenced{std::string(kReferencedFiles[i]), observer.found[i], std::nullopt};
        std::error_code ec;
        // Of the two, only msdv.inf comes with Windows.
        if (kReferencedFiles[i] == "msdv.inf" && !systemInf.empty() &&
            std::filesystem::exists(systemInf / "msdv.inf", ec)) {
            referenced.inSystem = platform::fromPath(systemInf / "msdv.inf");
        }
        report.referencedFiles.push_back(std::move(referenced));
    }
    report.verdict = verdictOf(report);
    return report;
}

}  // namespace quillmere::cli
