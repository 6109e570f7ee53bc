#include "foundation/blowfish_cipher.h"

#include <cstring>

namespace tarnwick {
namespace {

std::uint32_t loadBigEndian(const std::uint8_t* b) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

void storeBigEndian(std::uint32_t v, std::uint8_t* b) {
    b[0] = static_cast<std::uint8_t>(v >> 24);
    b[1] = static_cast<std::uint8_t>(v >> 16);
    b[2] = static_cast<std::uint8_t>(v >> 8);
    b[3] = static_cast<std::uint8_t>(v);
}

void checkCount(std::size_t count) {
    if (count == 0 || count % 8 != 0) throw BlowfishError("Incorrect buffer length");
}

}  // namespace

CBlowfishCipher::CBlowfishCipher(const std::uint8_t* key, std::size_t keyLength, std::uint32_t chainLeft,
                                 std::uint32_t chainRight)
    : chainLeft_(chainLeft),
      chainRight_(chainRight) {
    if (keyLength == 0) throw BlowfishError("Incorrect key length");
    if (keyLength > kMaxKeyLength) keyLength = kMaxKeyLength;

    std::memcpy(p_, kInitialP, sizeof p_);
    std::memcpy(s_, kInitialS, sizeof s_);

    std::size_t k = 0;
    for (std::uint32_t& word : p_) {
        std::uint32_t data = 0;
        for (int i = 0; i < 4; ++i) {
            data = (data << 8) | key[k];
            k = (k + 1 == keyLength) ? 0 : k + 1;
        }
        word ^= data;
    }

    std::uint32_t l = 0, r = 0;
    for (int i = 0; i < 18; i += 2) {
        encryptBlock(l, r);
        p_[i] = l;
        p_[i + 1] = r;
    }
    for (auto& box : s_) {
        for (int i = 0; i < 256; i += 2) {
            encryptBlock(l, r);
            box[i] = l;
            box[i + 1] = r;
        }
    }
}

void CBlowfishCipher::EncryptBlock(std::uint32_t& left, std::uint32_t& right) const { encryptBlock(left, right); }

template <int N>
void CBlowfishCipher::decryptLanes(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t l[N], r[N];
    for (int j = 0; j < N; ++j) {
        l[j] = loadBigEndian(in + 8 * j);
        r[j] = loadBigEndian(in + 8 * j + 4);
    }
    for (int k = 17; k > 1; k -= 2) {
        for (int j = 0; j < N; ++j) l[j] ^= p_[k];
        for (int j = 0; j < N; ++j) r[j] ^= round(l[j]) ^ p_[k - 1];
        for (int j = 0; j < N; ++j) l[j] ^= round(r[j]);
    }
    for (int j = 0; j < N; ++j) {
        storeBigEndian(r[j] ^ p_[0], out + 8 * j);
        storeBigEndian(l[j] ^ p_[1], out + 8 * j + 4);
    }
}

void CBlowfishCipher::DecryptBlock(std::uint32_t& left, std::uint32_t& right) const { decryptBlock(left, right); }

// Each mode has a loop of its own: ECB, what sealed text uses, then runs the
// block function alone, unrolled into the loop.
void CBlowfishCipher::Encrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int mode) const {
    checkCount(count);
    std::uint32_t vl = chainLeft_, vr = chainRight_;
    for (std::size_t i = 0; i < count; i += 8) {
        std::uint32_t l = loadBigEndian(in + i), r = loadBigEndian(in + i + 4);
        if (mode == kModeCbc) {
            l ^= vl;
            r ^= vr;
            encryptBlock(l, r);
            vl = l;
            vr = r;
        } else if (mode == kModeCfb) {
            encryptBlock(vl, vr);
            l ^= vl;
            r ^= vr;
            vl = l;
            vr = r;
        } else {
            encryptBlock(l, r);
        }
        storeBigEndian(l, out + i);
        storeBigEndian(r, out + i + 4);
    }
}

void CBlowfishCipher::Decrypt(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int mode) const {
    checkCount(count);
    if (mode != kModeCbc && mode != kModeCfb) {
        // ECB blocks do not depend on each other: up to four at a time, so
        // that one block's table look-ups overlap the others' instead of
        // waiting on its own previous round.
        std::size_t i = 0;
        for (; count - i >= 32; i += 32) decryptLanes<4>(in + i, out + i);
        switch ((count - i) / 8) {
            case 3:
                decryptLanes<3>(in + i, out + i);
                break;
            case 2:
                decryptLanes<2>(in + i, out + i);
                break;
            case 1:
                decryptLanes<1>(in + i, out + i);
                break;
            default:
                break;
        }
        return;
    }
    std::uint32_t vl = chainLeft_, vr = chainRight_;
    for (std::size_t i = 0; i < count; i += 8) {
        const std::uint32_t bl = loadBigEndian(in + i), br = loadBigEndian(in + i + 4);
        std::uint32_t l = bl, r = br;
        if (mode == kModeCbc) {
            decryptBlock(l, r);
            l ^= vl;
            r ^= vr;
        } else {
            std::uint32_t wl = vl, wr = vr;
            encryptBlock(wl, wr);
            l ^= wl;
            r ^= wr;
        }
        vl = bl;
        vr = br;
        storeBigEndian(l, out + i);
        storeBigEndian(r, out + i + 4);
    }
}

}  // namespace tarnwick
