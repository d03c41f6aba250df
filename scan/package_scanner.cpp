#include "package_scanner.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform.h"

namespace quillmere {
namespace {

constexpr std::uint64_t kMinSetupSize = 100000;  // sizes must be strictly greater
constexpr std::uint64_t kMinInstallIniSize = 1000;

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

void examineFile(ScanReporter& host, const ScannedFile& file) {
    host.showScanPath(file.path);
    if (contains(file.folderPath, "WDM")) return;

    if (isSetupName(file)) {
        if (file.size > kMinSetupSize && !contains(file.folderPath, "CP")) {
            recordHit(host, file, FoundSlot::Label5);
        }
        return;
    }
    if (isInstallIniName(file)) {
        if (file.size > kMinInstallIniSize) recordHit(host, file, FoundSlot::Label2);
        return;
    }
    if (const auto slot = infSlot(file.shortName)) recordHit(host, file, *slot);
}

}  // namespace

void scanPackageFolder(FileSystemAccessor& fso, ScanReporter& host, const std::string& folder) {
    // An explicit stack instead of recursion, so a very deep tree cannot overflow the call stack.
    // Visiting order is that of the recursive walk: a folder's files, then each subfolder's
    // whole subtree in listing order.
    struct Pending {
        std::vector<std::string> folders;
        std::size_t next = 0;
    };
    std::vector<Pending> stack;

    auto enter = [&](const std::string& path) {
        for (const ScannedFile& file : fso.listFiles(path)) examineFile(host, file);
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
    const auto target = platform::toPath(path);
    const bool trailingSeparator =
        !path.empty() && (path.back() == '/' || path.back() == platform::pathSeparator());
    if (trailingSeparator) return std::filesystem::is_directory(target, ec);
    return std::filesystem::exists(target, ec);
}

}  // namespace quillmere
