// What the Windows loader reads of an executable before it runs a line of it: the machine, the
// optional header's versions and the tables of imported functions (the ordinary ones, resolved
// at load, and the delay-loaded ones, resolved on first call).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace xpcheck {

// A file that is not a PE image, or one whose tables point outside it.
class PeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::uint16_t kMachineI386 = 0x14c;
inline constexpr std::uint16_t kMachineAmd64 = 0x8664;

struct ImportedFunction {
    std::string name;                      // empty when imported by ordinal
    std::optional<std::uint16_t> ordinal;  // set when imported by ordinal
};

struct ImportedDll {
    std::string name;  // as the image spells it, e.g. "KERNEL32.dll"
    bool delayLoaded = false;
    bool bound = false;  // the import address table holds addresses bound at link time
    std::vector<ImportedFunction> functions;
};

struct PeImage {
    std::uint16_t machine = 0;
    bool pe32Plus = false;  // the 64-bit optional header
    std::uint16_t subsystem = 0;
    std::uint16_t subsystemMajor = 0, subsystemMinor = 0;
    std::uint16_t osMajor = 0, osMinor = 0;
    std::vector<ImportedDll> imports;  // load-time imports first, then delay-loaded ones
};

// Reads an image from its bytes; throws PeError for anything malformed.
PeImage readPeImage(std::span<const std::uint8_t> bytes);

// Reads the file at `path`; throws PeError when it cannot be read or is malformed.
PeImage readPeFile(const std::filesystem::path& path);

}  // namespace xpcheck
