// The Blowfish block cipher (64-bit blocks, 16 rounds, the standard tables and
// key schedule) with ECB, CBC and CFB over whole buffers. The tables live inside
// the object, nothing is allocated; the codec keeps one per key (key_schedules.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace tarnwick {

// Raised with the exact texts "Incorrect key length" and "Incorrect buffer length".
class BlowfishError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class CBlowfishCipher {
public:
    enum Mode { kModeEcb = 0, kModeCbc = 1, kModeCfb = 2 };  // any other value is ECB
    static constexpr std::size_t kMaxKeyLength = 56;

    // Throws BlowfishError("Incorrect key length") for an empty key; a key longer
    // than 56 bytes is cut to 56.
    CBlowfishCipher(const std::uint8_t* key, std::size_t keyLength, std::uint32_t chainLeft = 0,
                    std::uint32_t chainRight = 0);

    // Both throw BlowfishError("Incorrect buffer length") when count is 0 or not
    // a multiple of 8, before touching the output. `in` and `out` may be the same.
    void Encrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int mode = kModeEcb) const;
    void Decrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int mode = kModeEcb) const;

    // One (left, right) block in place; the key schedule uses EncryptBlock.
    void EncryptBlock(std::uint32_t& left, std::uint32_t& right) const;
    void DecryptBlock(std::uint32_t& left, std::uint32_t& right) const;

private:
    // The hexadecimal digits of pi (blowfish_tables.cpp), copied in by the key schedule.
    static const std::uint32_t kInitialP[18];
    static const std::uint32_t kInitialS[4][256];

    std::uint32_t round(std::uint32_t x) const {
        return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
    }
    // The block functions, inline so that the buffer loops run them without a call.
    void encryptBlock(std::uint32_t& left, std::uint32_t& right) const {
        std::uint32_t l = left, r = right;
        for (int i = 0; i < 16; i += 2) {
            l ^= p_[i];
            r ^= round(l);
            r ^= p_[i + 1];
            l ^= round(r);
        }
        left = r ^ p_[17];
        right = l ^ p_[16];
    }
    void decryptBlock(std::uint32_t& left, std::uint32_t& right) const {
        std::uint32_t l = left, r = right;
        for (int i = 17; i > 1; i -= 2) {
            l ^= p_[i];
            r ^= round(l);
            r ^= p_[i - 1];
            l ^= round(r);
        }
        left = r ^ p_[0];
        right = l ^ p_[1];
    }

    // N independent blocks of ECB decryption, interleaved round by round.
    template <int N>
    void decryptLanes(const std::uint8_t* in, std::uint8_t* out) const;

    std::uint32_t p_[18];
    std::uint32_t s_[4][256];
    std::uint32_t chainLeft_;
    std::uint32_t chainRight_;
};

}  // namespace tarnwick
