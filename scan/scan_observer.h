#pragma once
// An optional listener on the scan that sees what the window's lists do not: every file the walk
// visits, and every file whose name makes it a candidate for a slot, with the scanner's verdict.
// The check of a package explains the slots from this, so the rules live in the scanner only.

#include "file_system_accessor.h"
#include "found_slot.h"

namespace quillmere {

enum class CandidateVerdict {
    Taken,        // a hit: added to the lists and written into the slot
    InWdmFolder,  // skipped: its folder path contains "WDM"
    InCpFolder,   // skipped: a setup program whose folder path contains "CP"
    TooSmall,     // skipped: at or below the size limit of its kind
};

class ScanObserver {
  public:
    virtual ~ScanObserver() = default;

    // Every file of the walk, in walk order, also those the filters skip.
    virtual void fileVisited(const ScannedFile& /*file*/) {}
    // A file whose name makes it one of the slot's kind, and what the scanner made of it.
    virtual void candidate(const ScannedFile& file, FoundSlot slot, CandidateVerdict verdict) = 0;
};

}  // namespace quillmere
