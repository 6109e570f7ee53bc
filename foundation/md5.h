// The MD5 message digest (RFC 1321), for the check texts of card and option files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarnwick {

std::array<std::uint8_t, 16> Md5(const void* data, std::size_t size);

// The same digest over data given in pieces.
class Md5Digest {
public:
    void update(const void* data, std::size_t size);
    // The digest of everything given; the object is spent.
    std::array<std::uint8_t, 16> finish();

private:
    std::uint32_t state_[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::uint8_t block_[64] = {};
    std::size_t pending_ = 0;
    std::size_t total_ = 0;
};

}  // namespace tarnwick
