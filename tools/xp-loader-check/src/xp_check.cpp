#include "xp_check.h"

#include <numeric>

namespace xpcheck {
namespace {

std::string version(std::uint16_t major, std::uint16_t minor) {
    return std::to_string(major) + "." + std::to_string(minor);
}

std::string subsystemName(std::uint16_t subsystem) {
    if (subsystem == 2) return "GUI";
    if (subsystem == 3) return "console";
    return "subsystem " + std::to_string(subsystem);
}

std::string functionLabel(const ImportedFunction& function) {
    return function.ordinal ? "#" + std::to_string(*function.ordinal) : function.name;
}

std::string dllLabel(const ImportedDll& dll) {
    return (dll.delayLoaded ? "delay-loaded " : "") + dll.name;
}

std::size_t importCount(const PeImage& image) {
    return std::accumulate(image.imports.begin(), image.imports.end(), std::size_t{0},
                           [](std::size_t n, const ImportedDll& dll) { return n + dll.functions.size(); });
}

}  // namespace

std::optional<XpTarget> xpTargetFor(const PeImage& image) {
    if (image.machine == kMachineI386) return XpTarget{"Windows XP SP3 (i386)", "nt51-i386.txt", 5, 1};
    if (image.machine == kMachineAmd64) return XpTarget{"Windows XP x64", "nt52-amd64.txt", 5, 2};
    return std::nullopt;
}

std::vector<std::string> findProblems(const PeImage& image, const XpTarget& target, const XpExports& xp) {
    std::vector<std::string> problems;
    if (image.pe32Plus != (image.machine == kMachineAmd64)) {
        problems.push_back(std::string("its optional header is ") + (image.pe32Plus ? "PE32+" : "PE32") +
                           ", which does not match its machine type");
    }
    if (image.subsystemMajor > target.subsystemMajor ||
        (image.subsystemMajor == target.subsystemMajor && image.subsystemMinor > target.subsystemMinor)) {
        problems.push_back("subsystem version " + version(image.subsystemMajor, image.subsystemMinor) +
                           " is above " + version(target.subsystemMajor, target.subsystemMinor) +
                           ", the highest that " + target.name + " starts");
    }
    for (const ImportedDll& dll : image.imports) {
        if (const auto since = xp.missingSince(dll.name)) {
            problems.push_back(dllLabel(dll) + " does not ship with Windows XP (first in NT " + *since + ")");
            continue;
        }
        if (!xp.hasDll(dll.name)) {
            problems.push_back(dllLabel(dll) + " is not among the DLLs known to ship with " + target.name);
            continue;
        }
        for (const ImportedFunction& function : dll.functions) {
            if (function.ordinal) {
                // XP's export lists hold names only; an ordinal's meaning differs between versions.
                problems.push_back(dllLabel(dll) + " ordinal " + functionLabel(function) +
                                   " cannot be checked: imports by ordinal are not allowed");
            } else if (!xp.exports(dll.name, function.name)) {
                problems.push_back(dllLabel(dll) + " " + function.name + " is not exported by " +
                                   target.name);
            }
        }
    }
    return problems;
}

void printReport(std::ostream& out, const std::string& label, const PeImage& image, const XpTarget& target,
                 const std::vector<std::string>& problems, bool listNames) {
    out << label << ": " << (image.pe32Plus ? "PE32+" : "PE32") << ", " << subsystemName(image.subsystem)
        << " subsystem version " << version(image.subsystemMajor, image.subsystemMinor) << ", OS version "
        << version(image.osMajor, image.osMinor) << "\n";
    for (const ImportedDll& dll : image.imports) {
        out << "  " << dllLabel(dll) << (dll.bound ? " (bound)" : "") << ": " << dll.functions.size()
            << (dll.functions.size() == 1 ? " function" : " functions") << "\n";
        if (!listNames) continue;
        for (const ImportedFunction& function : dll.functions)
            out << "    " << functionLabel(function) << "\n";
    }
    for (const std::string& problem : problems) out << "  problem: " << problem << "\n";
    const std::string counts = std::to_string(importCount(image)) + " imports from " +
                               std::to_string(image.imports.size()) + " DLLs, subsystem " +
                               version(image.subsystemMajor, image.subsystemMinor);
    if (problems.empty()) {
        out << "OK " << label << ": loads on " << target.name << ": " << counts << "\n";
    } else {
        out << "FAILED " << label << ": " << problems.size()
            << (problems.size() == 1 ? " problem" : " problems") << " on " << target.name << ": " << counts
            << "\n";
    }
}

}  // namespace xpcheck
