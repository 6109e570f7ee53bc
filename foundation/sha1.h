// The SHA-1 message digest (FIPS 180-4), for looking passwords up in the
// published lists of breached passwords, which are keyed by it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

std::array<std::uint8_t, 20> Sha1(const void* data, std::size_t size);

// The same digest over data given in pieces.
class Sha1Digest {
public:
    void update(const void* data, std::size_t size);
    // The digest of everything given; the object is spent.
    std::array<std::uint8_t, 20> finish();

private:
    void compress(const std::uint8_t* block);

    std::uint32_t state_[5] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476, 0xc3d2e1f0};
    std::uint8_t block_[64] = {};
    std::size_t pending_ = 0;
    std::uint64_t total_ = 0;
};

// Forty upper-case hexadecimal digits, as the breach lists write a digest.
std::string Sha1Hex(const std::array<std::uint8_t, 20>& digest);

}  // namespace tarnwick
