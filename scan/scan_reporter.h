#pragma once
// The three window operations through which the scanner reports what it sees.

#include <string>

#include "found_slot.h"

namespace quillmere {

class ScanReporter {
  public:
    virtual ~ScanReporter() = default;

    // Shows the path of the file being examined, repainted at once.
    virtual void showScanPath(const std::string& path) = 0;
    // Appends a hit to the two found lists: its full path and its size as decimal digits.
    virtual void addFoundFile(const std::string& path, const std::string& sizeText) = 0;
    // Writes a found-file slot.
    virtual void setSlotText(FoundSlot slot, const std::string& text) = 0;
};

}  // namespace quillmere
