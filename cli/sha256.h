#pragma once
// SHA-256 (FIPS 180-4) of a byte string, for the digests a backup keeps of what the run wrote.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillmere::cli {

class Sha256 {
  public:
    Sha256();
    void update(std::string_view bytes);
    // The digest; the object must not be updated afterwards.
    std::array<std::uint8_t, 32> finish();

  private:
    void block(const std::uint8_t* data);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace quillmere::cli
