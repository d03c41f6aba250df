#include "modified_mark.h"

#include <array>
#include <cstdint>

namespace quillmere {
namespace {

constexpr std::uint32_t kReadBufferSize = 1024;

}  // namespace

bool isAlreadyModified(const profile::DecodedProfile& c2Inf, std::string_view manufacturerContent) {
    std::array<char, kReadBufferSize> buffer{};
    profile::readSection(c2Inf, "ATI.Mfg", buffer.data(), kReadBufferSize);
    return std::string_view(buffer.data(), 3) == manufacturerContent.substr(0, 3);
}

}  // namespace quillmere
