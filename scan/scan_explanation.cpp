#include "scan_explanation.h"

#include <cstddef>

namespace quillmere {
namespace {

std::size_t indexOf(FoundSlot slot) {
    return static_cast<std::size_t>(slot);
}

CandidateOutcome skipped(CandidateVerdict verdict) {
    switch (verdict) {
        case CandidateVerdict::InWdmFolder:
            return CandidateOutcome::InWdmFolder;
        case CandidateVerdict::InCpFolder:
            return CandidateOutcome::InCpFolder;
        case CandidateVerdict::TooSmall:
            return CandidateOutcome::TooSmall;
        case CandidateVerdict::Taken:
            break;
    }
    return CandidateOutcome::FoundEarlier;
}

}  // namespace

void ScanExplanation::candidate(const ScannedFile& file, FoundSlot slot, CandidateVerdict verdict) {
    seen_[indexOf(slot)].push_back({file.path, file.size, verdict});
}

std::vector<ExplainedCandidate> ScanExplanation::candidates(FoundSlot slot) const {
    const auto& seen = seen_[indexOf(slot)];
    // Each hit overwrites the slot, so the last one taken stays.
    std::size_t last = seen.size();
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (seen[i].verdict == CandidateVerdict::Taken) last = i;
    }
    std::vector<ExplainedCandidate> out;
    out.reserve(seen.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const CandidateOutcome outcome = i == last ? CandidateOutcome::FillsSlot : skipped(seen[i].verdict);
        out.push_back({seen[i].path, seen[i].size, outcome});
    }
    return out;
}

}  // namespace quillmere
