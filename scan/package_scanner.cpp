#include "package_scanner.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "path_status.h"
#include "platform.h"

namespace quillmere {
namespace {

constexpr std::uint64_t kMinSetupSize = *sizeLimit(FoundSlot::Label5);
constexpr std::uint64_t kMinInstallIniSize = *sizeLimit(FoundSlot::Label2);

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool isSetupName(const ScannedFile& file) {
    return file.name == "Setup.exe" || file.name == "SETUP.EXE" || file.shortName == "setup.exe";
}

bool isInstallIniName(const ScannedFile& file) {
    return file.name == "INSTALL.INI" || file.shortName == "install.ini";
}

// C2/CX INF by the short name's first two and last three characters, letter case counting:
// only all-upper or all-lower forms of each part match.
std::optional<FoundSlot> infSlot(std::string_view shortName) {
    const std::string_view prefix = shortName.substr(0, 2);
    const std::string_view suffix = shortName.size() > 3 ? shortName.substr(shortName.size() - 3) : shortName;
    const bool infSuffix = suffix == "INF" || suffix == "inf";
    if (!infSuffix) return std::nullopt;
    if (prefix == "C2" || prefix == "c2") return FoundSlot::Label3;
    if (prefix == "CX" || prefix == "cx") return FoundSlot::Label4;
    return std::nullopt;
}

void recordHit(ScanReporter& host, const ScannedFile& file, FoundSlot slot) {
    host.addFoundFile(file.path, std::to_string(file.size));
    host.setSlotText(slot, file.path);
}

// The kind a file's name makes it a candidate for. The three kinds of name exclude one another.
std::optional<FoundSlot> candidateSlot(const ScannedFile& file) {
    if (isSetupName(file)) return FoundSlot::Label5;
    if (isInstallIniName(file)) return FoundSlot::Label2;
    return infSlot(file.shortName);
}

CandidateVerdict verdictFor(const ScannedFile& file, FoundSlot slot) {
    if (contains(file.folderPath, "WDM")) return CandidateVerdict::InWdmFolder;
    switch (slot) {
        case FoundSlot::Label5:
            // The size is tested first: a small setup program below a CP folder is too small.
            if (file.size <= kMinSetupSize) return CandidateVerdict::TooSmall;
            if (contains(file.folderPath, "CP")) return CandidateVerdict::InCpFolder;
            return CandidateVerdict::Taken;
        case FoundSlot::Label2:
            return file.size > kMinInstallIniSize ? CandidateVerdict::Taken : CandidateVerdict::TooSmall;
        case FoundSlot::Label3:
        case FoundSlot::Label4:
            break;
    }
    return CandidateVerdict::Taken;  // INF files have no size limit
}

void examineFile(ScanReporter& host, ScanObserver* observer, const ScannedFile& file) {
    host.showScanPath(file.path);
    if (observer) observer->fileVisited(file);
    // Without an observer the folder filter comes first, so that skipped files cost no name test.
    if (!observer && contains(file.folderPath, "WDM")) return;

    const auto slot = candidateSlot(file);
    if (!slot) return;
    const CandidateVerdict verdict = verdictFor(file, *slot);
    if (observer) observer->candidate(file, *slot, verdict);
    if (verdict == CandidateVerdict::Taken) recordHit(host, file, *slot);
}

}  // namespace

void scanPackageFolder(FileSystemAccessor& fso, ScanReporter& host, const std::string& folder,
                       ScanObserver* observer) {
    // An explicit stack instead of recursion, so a very deep tree cannot overflow the call stack.
    // Visiting order is that of the recursive walk: a folder's files, then each subfolder's
    // whole subtree in listing order.
    struct Pending {
        std::vector<std::string> folders;
        std::size_t next = 0;
    };
    std::vector<Pending> stack;

    auto enter = [&](const std::string& path) {
        for (const ScannedFile& file : fso.listFiles(path)) examineFile(host, observer, file);
        stack.push_back(Pending{fso.listSubfolders(path), 0});
    };

    enter(folder);
    while (!stack.empty()) {
        Pending& top = stack.back();
        if (top.next == top.folders.size()) {
            stack.pop_back();
            continue;
        }
        const std::string sub = std::move(top.folders[top.next++]);
        enter(sub);  // may grow the stack: `top` is not used after this
    }
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    const platform::PathStatus status = platform::pathStatus(platform::toPath(path), ec);
    const bool trailingSeparator =
        !path.empty() && (path.back() == '/' || path.back() == platform::pathSeparator());
    if (trailingSeparator) return status.directory;
    return status.exists;
}

}  // namespace quillmere
