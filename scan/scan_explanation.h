#pragma once
// Why each slot holds what it holds: every candidate of the slot's kind in walk order, the one
// that fills the slot, and for each other one the reason it lost. Built from the scanner's own
// verdicts (ScanObserver), so it cannot drift from the rules it explains.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "scan_observer.h"

namespace quillmere {

enum class CandidateOutcome {
    FillsSlot,     // the last hit of its kind
    FoundEarlier,  // a hit, but a later hit of its kind took the slot
    InWdmFolder,   // skipped by the folder filter
    InCpFolder,    // a setup program below a folder whose path holds "CP"
    TooSmall,      // at or below the size limit of its kind
};

struct ExplainedCandidate {
    std::string path;
    std::uint64_t size = 0;
    CandidateOutcome outcome = CandidateOutcome::FillsSlot;
};

class ScanExplanation : public ScanObserver {
  public:
    void candidate(const ScannedFile& file, FoundSlot slot, CandidateVerdict verdict) override;

    // The slot's candidates in walk order, each with its outcome.
    std::vector<ExplainedCandidate> candidates(FoundSlot slot) const;

  private:
    struct Seen {
        std::string path;
        std::uint64_t size;
        CandidateVerdict verdict;
    };
    std::array<std::vector<Seen>, 4> seen_;
};

}  // namespace quillmere
