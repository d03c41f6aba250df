#pragma once
// ModdingHost for a terminal: message boxes become lines of text, the question is answered by
// an option or at the terminal, and the scan shows one status line that is redrawn in place.

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli_options.h"
#include "modding_host.h"

namespace quillmere::cli {

struct ConsoleStreams {
    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool outIsTerminal = false;
    bool inIsTerminal = false;
};

class ConsoleHost : public ModdingHost {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    ConsoleHost(const CliOptions& options, ConsoleStreams streams,
                Clock clock = std::chrono::steady_clock::now);

    std::string chosenFolder() override { return folder_; }
    void showScanPath(const std::string& path) override;
    void addFoundFile(const std::string& path, const std::string& sizeText) override;
    void setSlotText(FoundSlot slot, const std::string& text) override;
    std::string slotText(FoundSlot slot) override;
    void showMessage(const std::string& text) override;
    Answer askYesNo(const std::string& text, const std::string& title) override;
    // The run returns right after this; the command ends when its caller does.
    void endProgram() override {}

    // With --quiet, the run's texts are held back and printed to standard error only when
    // the run did not succeed.
    void finish(bool succeeded);
    // With --verbose, names each file a run changed.
    void reportChanged(const std::vector<std::string>& files);

  private:
    void clearStatusLine();
    void say(const std::string& line);

    CliOptions options_;
    ConsoleStreams streams_;
    Clock clock_;
    std::string folder_;
    FoundSlots slots_;
    std::vector<std::string> heldBack_;
    std::size_t examined_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
    bool statusShown_ = false;
};

}  // namespace quillmere::cli
