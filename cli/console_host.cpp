#include "console_host.h"

#include <istream>
#include <ostream>

namespace quillmere::cli {
namespace {

// About twenty redraws a second: enough to look alive, cheap next to the walk itself.
constexpr auto kRedrawInterval = std::chrono::milliseconds(50);
constexpr std::size_t kStatusWidth = 100;

// The status line must stay one line: control characters in a path would break it.
std::string printable(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return out;
}

}  // namespace

ConsoleHost::ConsoleHost(const CliOptions& options, ConsoleStreams streams, Clock clock)
    : options_(options), streams_(streams), clock_(std::move(clock)), folder_(options.folder) {}

void ConsoleHost::showScanPath(const std::string& path) {
    ++examined_;
    if (!streams_.outIsTerminal || options_.quiet) return;
    const auto now = clock_();
    if (statusShown_ && now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    std::string line = std::to_string(examined_) + " files examined: " + printable(path);
    if (line.size() > kStatusWidth) line = line.substr(0, kStatusWidth - 3) + "...";
    streams_.out << "\r\033[K" << line << std::flush;
    statusShown_ = true;
}

void ConsoleHost::addFoundFile(const std::string& path, const std::string& sizeText) {
    if (options_.verbose) say("Found " + path + " (" + sizeText + " bytes)");
}

void ConsoleHost::setSlotText(FoundSlot slot, const std::string& text) {
    slots_.set(slot, text);
}

std::string ConsoleHost::slotText(FoundSlot slot) {
    return slots_.text(slot);
}

void ConsoleHost::clearStatusLine() {
    if (!statusShown_) return;
    streams_.out << "\r\033[K" << std::flush;
    statusShown_ = false;
}

void ConsoleHost::say(const std::string& line) {
    if (options_.quiet) {
        heldBack_.push_back(line);
        return;
    }
    clearStatusLine();
    streams_.out << line << '\n' << std::flush;
}

void ConsoleHost::showMessage(const std::string& text) {
    say(text);
}

Answer ConsoleHost::askYesNo(const std::string& text, const std::string& /*title*/) {
    clearStatusLine();
    if (options_.answer == InstallAnswer::Ask && streams_.inIsTerminal) {
        streams_.out << text << " [y/N] " << std::flush;
        std::string reply;
        std::getline(streams_.in, reply);
        const bool yes = !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
        return yes ? Answer::Yes : Answer::No;
    }
    const bool yes = options_.answer == InstallAnswer::Yes;
    say(text + (yes ? " yes" : " no"));
    return yes ? Answer::Yes : Answer::No;
}

void ConsoleHost::reportChanged(const std::vector<std::string>& files) {
    if (!options_.verbose) return;
    for (const std::string& file : files) say("Changed " + file);
}

void ConsoleHost::finish(bool succeeded) {
    clearStatusLine();
    if (succeeded) return;
    for (const std::string& line : heldBack_) streams_.err << line << '\n';
    heldBack_.clear();
    streams_.err << std::flush;
}

}  // namespace quillmere::cli
