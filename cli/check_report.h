#pragma once
// What `quillmere-mod --check` finds out about a package, gathered once and then printed as
// text or as JSON, so that the two cannot tell different stories.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "found_slot.h"
#include "modding_run.h"
#include "scan_explanation.h"

namespace quillmere::cli {

struct SlotReport {
    FoundSlot slot;
    std::optional<std::string> path;  // what fills the slot; nothing when nothing was found
    std::vector<ExplainedCandidate> candidates;
};

struct LineEnds {
    std::size_t crlf = 0, lf = 0, cr = 0;  // CR LF, LF alone, CR alone
    bool lastLineEnded = true;
};

struct FileReport {
    FoundSlot slot;
    std::string path;
    bool readable = false;
    std::uint64_t size = 0;
    std::string encoding;  // "8-bit", "UTF-16 LE", ...
    LineEnds lineEnds;
    std::string writeProblem;  // empty: a run can replace the file
};

struct InfReport {
    FoundSlot slot;
    std::string path;
    std::vector<std::string> replaced;  // of the 41 sections: those the file holds already
    std::vector<std::string> appended;  // and those a run adds at its end
    std::vector<std::string> missing;   // of the 22 sections the written lines name
};

struct ReferencedFileReport {
    std::string name;
    std::vector<std::string> inPackage;   // files of the package of that name (or its compressed form)
    std::optional<std::string> inSystem;  // where Windows keeps it, when it does
};

enum class CheckVerdict { Ready, WouldRefuse, LacksSections, RunFails };

struct CheckReport {
    std::string folder;
    std::vector<SlotReport> slots;   // Label2 .. Label5
    std::vector<FileReport> files;   // install.ini, C2 INF, CX INF, as far as found
    std::optional<bool> c2Modified;  // nothing when there is no C2 INF to test
    std::vector<InfReport> infs;
    std::vector<ReferencedFileReport> referencedFiles;
    RunOutcome runOutcome = RunOutcome::Refused;
    std::vector<std::string> runMessages;
    CheckVerdict verdict = CheckVerdict::Ready;
};

// The kind of file a slot holds: "install.ini", "C2 INF", "CX INF", "setup program".
std::string slotKind(FoundSlot slot);
// For the text report: "fills the slot", "found earlier in the walk", ...
std::string outcomeText(CandidateOutcome outcome, FoundSlot slot);
// For JSON: "fills-slot", "found-earlier", "wdm-folder", "cp-folder", "too-small".
std::string outcomeCode(CandidateOutcome outcome);
std::string lineEndsText(const LineEnds& ends);

std::string renderText(const CheckReport& report);
std::string renderJson(const CheckReport& report);

}  // namespace quillmere::cli
