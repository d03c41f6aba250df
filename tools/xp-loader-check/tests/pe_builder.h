// Small PE images made byte by byte, for the import forms that mingw-w64 does not produce:
// bound imports, delay-load tables (GNU ld leaves their directory entry empty) and old-style
// delay descriptors that hold addresses instead of RVAs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xpcheck::testing {

struct FakeImport {
    std::string dll;
    std::vector<std::string> functions;  // "#17" imports ordinal 17
    bool delayLoaded = false;
    bool bound = false;             // time stamp -1 and addresses in the address table
    bool withoutNameTable = false;  // only the address table (as some old linkers wrote)
    bool delayAsAddresses = false;  // a delay descriptor of the old form, with addresses
};

struct FakeImage {
    bool pe32Plus = true;
    std::uint16_t subsystemMajor = 5, subsystemMinor = 2;
    std::vector<FakeImport> imports;
};

inline constexpr std::uint32_t kFakeSectionRva = 0x1000;
inline constexpr std::uint32_t kFakeSectionOffset = 0x200;

// The image: headers, then one section holding every import table; the file ends with the
// section's last byte.
std::vector<std::uint8_t> buildImage(const FakeImage& fake);

void put32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

}  // namespace xpcheck::testing
