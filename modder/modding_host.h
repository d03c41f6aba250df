#pragma once
// The window operations the modding run needs. The window supplies them, the command line
// supplies its own, tests record them; nothing else crosses from the engine to a front end.

#include <memory>
#include <string>

#include "file_system_accessor.h"
#include "found_slot.h"
#include "scan_reporter.h"

namespace quillmere {

enum class Answer { Yes, No };

class ModdingHost : public ScanReporter {
  public:
    // The folder the folder list has open (never one that is merely highlighted).
    virtual std::string chosenFolder() = 0;
    virtual std::string slotText(FoundSlot slot) = 0;
    // Modal box: the text, one OK button, no icon, the application title as caption.
    virtual void showMessage(const std::string& text) = 0;
    // Modal box: the text, question icon, Yes (default) and No, `title` as caption.
    virtual Answer askYesNo(const std::string& text, const std::string& title) = 0;
    // Closes every window of the program and ends it; the run returns right after calling it.
    virtual void endProgram() = 0;

    // The run's file-system accessor, created fresh at the start of each run.
    std::unique_ptr<FileSystemAccessor> fso;
};

}  // namespace quillmere
