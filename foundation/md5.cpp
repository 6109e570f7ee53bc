#include "foundation/md5.h"

#include <cstring>

namespace tarnwick {
namespace {

constexpr std::uint32_t kT[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kShift[64] = {7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 5,  9,  14, 20, 5,  9,
                            14, 20, 5,  9,  14, 20, 5,  9,  14, 20, 4,  11, 16, 23, 4,  11, 16, 23, 4,  11, 16, 23,
                            4,  11, 16, 23, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21};

std::uint32_t rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The four rounds spelled out, so that each step's function and message word
// are fixed at compile time.
// `early` is the part of the round's function that does not use b, the newest
// word; it joins the sum before b is known, so that each step's chain through
// b is as short as the function allows.
std::uint32_t step(std::uint32_t a, std::uint32_t early, std::uint32_t late, std::uint32_t x, int i, std::uint32_t b) {
    return b + rotl((a + (x + kT[i]) + early) + late, kShift[i]);
}

void transform(std::uint32_t state[4], const std::uint8_t block[64]) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = std::uint32_t{block[4 * i]} | (std::uint32_t{block[4 * i + 1]} << 8) |
               (std::uint32_t{block[4 * i + 2]} << 16) | (std::uint32_t{block[4 * i + 3]} << 24);
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    const auto rotate = [&](std::uint32_t next) {
        a = d;
        d = c;
        c = b;
        b = next;
    };
    // Unrolled, so that every step's constant, shift and word index are
    // immediates: a card's check line digests its whole file on every load.
    // F = (b & c) | (~b & d) = d ^ (b & (c ^ d)); G = (b & d) | (c & ~d), whose
    // two terms share no bit and so may be added.
#pragma GCC unroll 16
    for (int i = 0; i < 16; ++i) rotate(step(a, 0, d ^ (b & (c ^ d)), x[i], i, b));
#pragma GCC unroll 16
    for (int i = 16; i < 32; ++i) rotate(step(a, c & ~d, b & d, x[(5 * i + 1) % 16], i, b));
#pragma GCC unroll 16
    for (int i = 32; i < 48; ++i) rotate(step(a, 0, b ^ (c ^ d), x[(3 * i + 5) % 16], i, b));
#pragma GCC unroll 16
    for (int i = 48; i < 64; ++i) rotate(step(a, 0, c ^ (b | ~d), x[(7 * i) % 16], i, b));
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

}  // namespace

void Md5Digest::update(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    total_ += size;
    if (pending_ > 0) {
        const std::size_t take = size < 64 - pending_ ? size : 64 - pending_;
        std::memcpy(block_ + pending_, bytes, take);
        pending_ += take;
        bytes += take;
        size -= take;
        if (pending_ < 64) return;
        transform(state_, block_);
        pending_ = 0;
    }
    for (; size >= 64; size -= 64, bytes += 64) transform(state_, bytes);
    if (size) std::memcpy(block_, bytes, size);
    pending_ = size;
}

std::array<std::uint8_t, 16> Md5Digest::finish() {
    // The last block(s): the rest, 0x80, zeros, and the bit length little-endian.
    std::uint8_t tail[128] = {};
    if (pending_) std::memcpy(tail, block_, pending_);
    tail[pending_] = 0x80;
    const std::size_t tailSize = pending_ < 56 ? 64 : 128;
    const std::uint64_t bits = static_cast<std::uint64_t>(total_) * 8;
    for (int i = 0; i < 8; ++i) tail[tailSize - 8 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    transform(state_, tail);
    if (tailSize == 128) transform(state_, tail + 64);

    std::array<std::uint8_t, 16> digest{};
    for (int i = 0; i < 16; ++i) digest[i] = static_cast<std::uint8_t>(state_[i / 4] >> (8 * (i % 4)));
    return digest;
}

std::array<std::uint8_t, 16> Md5(const void* data, std::size_t size) {
    Md5Digest digest;
    digest.update(data, size);
    return digest.finish();
}

}  // namespace tarnwick
