#include "check_report.h"

#include "package_scanner.h"

namespace quillmere::cli {
namespace {

void appendList(std::string& out, const std::string& title, const std::vector<std::string>& names) {
    out += "    " + title + " (" + std::to_string(names.size()) + ")";
    if (names.empty()) {
        out += ": none\n";
        return;
    }
    out += ":\n";
    for (const std::string& name : names) out += "      " + name + "\n";
}

const FileReport* fileFor(const CheckReport& report, FoundSlot slot) {
    for (const FileReport& file : report.files) {
        if (file.slot == slot) return &file;
    }
    return nullptr;
}

std::string plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string verdictText(const CheckReport& report) {
    switch (report.verdict) {
        case CheckVerdict::Ready:
            return "Ready: a run would mod this package.";
        case CheckVerdict::WouldRefuse:
            return "A run would refuse: " +
                   (report.runMessages.empty() ? std::string() : report.runMessages.front());
        case CheckVerdict::RunFails:
            return "A run would fail: " +
                   (report.runMessages.empty() ? std::string() : report.runMessages.front());
        case CheckVerdict::LacksSections:
            break;
    }
    std::string text = "A run would mod this package, but";
    bool first = true;
    for (const InfReport& inf : report.infs) {
        if (inf.missing.empty()) continue;
        text += std::string(first ? "" : " and") + " the " + slotKind(inf.slot) + " lacks " +
                plural(inf.missing.size(), "section");
        first = false;
    }
    return text + " that the written lines need: the modded package would fail to install.";
}

}  // namespace

std::string slotKind(FoundSlot slot) {
    switch (slot) {
        case FoundSlot::Label2:
            return "install.ini";
        case FoundSlot::Label3:
            return "C2 INF";
        case FoundSlot::Label4:
            return "CX INF";
        case FoundSlot::Label5:
            return "setup program";
    }
    return {};
}

std::string outcomeText(CandidateOutcome outcome, FoundSlot slot) {
    switch (outcome) {
        case CandidateOutcome::FillsSlot:
            return "fills the slot";
        case CandidateOutcome::FoundEarlier:
            return "lost: found earlier in the walk, a later one took the slot";
        case CandidateOutcome::InWdmFolder:
            return "lost: in a WDM folder (its folder path contains \"WDM\")";
        case CandidateOutcome::InCpFolder:
            return "lost: in a CP folder (its folder path contains \"CP\")";
        case CandidateOutcome::TooSmall:
            return "lost: too small (must be over " + std::to_string(sizeLimit(slot).value_or(0)) + " bytes)";
    }
    return {};
}

std::string outcomeCode(CandidateOutcome outcome) {
    switch (outcome) {
        case CandidateOutcome::FillsSlot:
            return "fills-slot";
        case CandidateOutcome::FoundEarlier:
            return "found-earlier";
        case CandidateOutcome::InWdmFolder:
            return "wdm-folder";
        case CandidateOutcome::InCpFolder:
            return "cp-folder";
        case CandidateOutcome::TooSmall:
            return "too-small";
    }
    return {};
}

std::string lineEndsText(const LineEnds& ends) {
    std::vector<std::string> kinds;
    if (ends.crlf) kinds.push_back(std::to_string(ends.crlf) + " CR LF");
    if (ends.lf) kinds.push_back(std::to_string(ends.lf) + " LF");
    if (ends.cr) kinds.push_back(std::to_string(ends.cr) + " CR");
    std::string text;
    if (kinds.empty()) text = "no line ends";
    if (kinds.size() == 1) text = "line ends " + kinds.front().substr(kinds.front().find(' ') + 1);
    if (kinds.size() > 1) {
        text = "mixed line ends:";
        for (const std::string& kind : kinds) text += " " + kind;
    }
    if (!ends.lastLineEnded) text += ", last line unended";
    return text;
}

std::string renderText(const CheckReport& report) {
    std::string out = "Check of " + report.folder + " (nothing was changed)\n\nWhat the scan found\n";
    for (const SlotReport& slot : report.slots) {
        out += "  " + slotKind(slot.slot) + " (" + std::string(placeholderText(slot.slot)) +
               "): " + (slot.path ? *slot.path : std::string("not found")) + "\n";
        for (const ExplainedCandidate& candidate : slot.candidates) {
            out += "    " + candidate.path + " (" + std::to_string(candidate.size) +
                   " bytes): " + outcomeText(candidate.outcome, slot.slot) + "\n";
        }
    }

    out += "\nFiles\n";
    for (const FoundSlot slot : {FoundSlot::Label2, FoundSlot::Label3, FoundSlot::Label4}) {
        const FileReport* file = fileFor(report, slot);
        if (!file) {
            // A later slot naming the same file is covered by the first one's line.
            continue;
        }
        out += "  " + slotKind(slot) + ": " + file->path + "\n";
        if (!file->readable) {
            out += "    cannot be read\n";
        } else {
            out += "    " + std::to_string(file->size) + " bytes, " + file->encoding + ", " +
                   lineEndsText(file->lineEnds) + "\n";
        }
        out += "    " +
               (file->writeProblem.empty() ? std::string("can be written")
                                           : "cannot be written: " + file->writeProblem) +
               "\n";
        if (slot == FoundSlot::Label3 && report.c2Modified) {
            out += std::string("    already modified: ") + (*report.c2Modified ? "yes" : "no") + "\n";
        }
    }

    for (const InfReport& inf : report.infs) {
        out += "\nSections of the " + slotKind(inf.slot) + " " + inf.path + "\n";
        appendList(out, "already there, a run replaces them", inf.replaced);
        appendList(out, "not there, a run appends them", inf.appended);
        appendList(out, "missing, named by the written lines", inf.missing);
    }

    out += "\nFiles the written lines name (reported, not counted as missing)\n";
    for (const ReferencedFileReport& file : report.referencedFiles) {
        out += "  " + file.name + ": ";
        if (file.inPackage.empty()) out += "not in the package";
        for (std::size_t i = 0; i < file.inPackage.size(); ++i)
            out += (i ? ", " : "in the package: ") + file.inPackage[i];
        if (file.inSystem) out += "; in the Windows INF folder: " + *file.inSystem;
        out += "\n";
    }

    out += "\n" + verdictText(report) + "\n";
    return out;
}

}  // namespace quillmere::cli
