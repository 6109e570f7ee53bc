#include "foundation/blowfish_cipher.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::vector<std::uint8_t> fromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string toHex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::uint8_t b : bytes) {
        hex.push_back(kDigits[b >> 4]);
        hex.push_back(kDigits[b & 0x0F]);
    }
    return hex;
}

CBlowfishCipher cipherOf(const std::vector<std::uint8_t>& key) { return CBlowfishCipher(key.data(), key.size(), 0, 0); }

std::string encryptHex(const CBlowfishCipher& cipher, const std::string& plainHex, int mode) {
    std::vector<std::uint8_t> data = fromHex(plainHex);
    std::vector<std::uint8_t> out(data.size());
    cipher.Encrypt(data.data(), out.data(), data.size(), mode);
    return toHex(out);
}

std::string decryptHex(const CBlowfishCipher& cipher, const std::string& dataHex, int mode) {
    std::vector<std::uint8_t> data = fromHex(dataHex);
    std::vector<std::uint8_t> out(data.size());
    cipher.Decrypt(data.data(), out.data(), data.size(), mode);
    return toHex(out);
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// The standard's 34 variable-key ECB vectors (8-byte keys).
constexpr Vector kEcbVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

TEST(BlowfishCipher, EcbReproducesTheStandardVectorsBothWays) {
    for (const Vector& v : kEcbVectors) {
        const CBlowfishCipher cipher = cipherOf(fromHex(v.key));
        EXPECT_EQ(v.cipher, encryptHex(cipher, v.plain, CBlowfishCipher::kModeEcb)) << "key " << v.key;
        EXPECT_EQ(v.plain, decryptHex(cipher, v.cipher, CBlowfishCipher::kModeEcb)) << "key " << v.key;
    }
}

// ECB over many blocks runs several at a time: every length from 1 to 11
// blocks gives what one block at a time gives.
TEST(BlowfishCipher, EcbOfManyBlocksEqualsBlockByBlock) {
    const CBlowfishCipher cipher = cipherOf(fromHex("0123456789ABCDEF"));
    std::vector<std::uint8_t> in(88);
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::size_t count = 8; count <= in.size(); count += 8) {
        std::vector<std::uint8_t> whole(count), single(count);
        cipher.Decrypt(in.data(), whole.data(), count, CBlowfishCipher::kModeEcb);
        for (std::size_t i = 0; i < count; i += 8) {
            cipher.Decrypt(in.data() + i, single.data() + i, 8, CBlowfishCipher::kModeEcb);
        }
        EXPECT_EQ(single, whole) << count / 8 << " blocks";
    }
}

TEST(BlowfishCipher, SingleBlockOperationsUseTheBigEndianHalves) {
    const CBlowfishCipher cipher = cipherOf(fromHex("0123456789ABCDEF"));
    std::uint32_t left = 0x11111111, right = 0x11111111;
    cipher.EncryptBlock(left, right);
    EXPECT_EQ(0x61F9C380u, left);
    EXPECT_EQ(0x2281B096u, right);
    cipher.DecryptBlock(left, right);
    EXPECT_EQ(0x11111111u, left);
    EXPECT_EQ(0x11111111u, right);
}

// Prefixes of F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677, plain FEDCBA9876543210.
TEST(BlowfishCipher, ShortKeysRepeatCyclicallyThroughThePArray) {
    const std::string full = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
    const std::string plain = "FEDCBA9876543210";
    EXPECT_EQ("F9AD597C49DB005E", encryptHex(cipherOf(fromHex(full.substr(0, 2))), plain, 0));   // 1 byte
    EXPECT_EQ("E91D21C1D961A6D6", encryptHex(cipherOf(fromHex(full.substr(0, 4))), plain, 0));   // 2 bytes
    EXPECT_EQ("B39E44481BDB1E6E", encryptHex(cipherOf(fromHex(full.substr(0, 10))), plain, 0));  // 5: wraps mid-word
    EXPECT_EQ("05044B62FA52D080", encryptHex(cipherOf(fromHex(full)), plain, 0));                // 24 bytes

    // A 1-byte key is the same as that byte 72 times (or 56, the most that counts).
    EXPECT_EQ(encryptHex(cipherOf({0xF0}), plain, 0),
              encryptHex(cipherOf(std::vector<std::uint8_t>(56, 0xF0)), plain, 0));
}

TEST(BlowfishCipher, KeyBeyond56BytesIsCut) {
    std::vector<std::uint8_t> key56(56);
    for (std::size_t i = 0; i < key56.size(); ++i) key56[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::vector<std::uint8_t> key57 = key56;
    key57.push_back(0xAA);
    std::vector<std::uint8_t> key72 = key56;
    key72.resize(72, 0x55);

    const std::string plain = "0123456789ABCDEF";
    const std::string expected = encryptHex(cipherOf(key56), plain, 0);
    EXPECT_EQ(expected, encryptHex(cipherOf(key57), plain, 0));
    EXPECT_EQ(expected, encryptHex(cipherOf(key72), plain, 0));
    // ...while the 56th byte does count.
    key56.back() ^= 1;
    EXPECT_NE(expected, encryptHex(cipherOf(key56), plain, 0));
}

TEST(BlowfishCipher, EmptyKeyThrows) {
    const std::uint8_t key[1] = {0};
    try {
        CBlowfishCipher cipher(key, 0, 0, 0);
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_EQ(std::string("Incorrect key length"), e.what());
    }
}

TEST(BlowfishCipher, BadCountThrowsAndLeavesOutputUntouched) {
    const CBlowfishCipher cipher = cipherOf(fromHex("0123456789ABCDEF"));
    std::array<std::uint8_t, 16> in{};
    for (std::size_t count : {std::size_t{0}, std::size_t{12}, std::size_t{7}, std::size_t{15}}) {
        for (bool encrypt : {true, false}) {
            std::array<std::uint8_t, 16> out;
            out.fill(0xA5);
            try {
                if (encrypt) cipher.Encrypt(in.data(), out.data(), count, 0);
                else cipher.Decrypt(in.data(), out.data(), count, 0);
                ADD_FAILURE() << "no exception for " << count;
            } catch (const std::exception& e) {
                EXPECT_EQ(std::string("Incorrect buffer length"), e.what());
            }
            std::array<std::uint8_t, 16> untouched;
            untouched.fill(0xA5);
            EXPECT_EQ(untouched, out) << count;
        }
    }
    // Still usable afterwards.
    EXPECT_EQ("61F9C3802281B096", encryptHex(cipher, "1111111111111111", 0));
}

TEST(BlowfishCipher, CountOf8ProcessesExactlyOneBlock) {
    const CBlowfishCipher cipher = cipherOf(fromHex("0123456789ABCDEF"));
    std::vector<std::uint8_t> in = fromHex("11111111111111112222222222222222");
    std::vector<std::uint8_t> out(16, 0xA5);
    cipher.Encrypt(in.data(), out.data(), 8, 0);
    EXPECT_EQ("61F9C3802281B096A5A5A5A5A5A5A5A5", toHex(out));
}

// The standard's chaining data: "7654321 Now is the time for " and its terminator,
// zero-padded to 32 bytes. Expected values from an independent implementation.
constexpr char kChainKey[] = "0123456789ABCDEFF0E1D2C3B4A59687";
constexpr char kChainPlain[] = "37363534333231204E6F77206973207468652074696D6520666F722000000000";
constexpr std::uint32_t kIvLeft = 0xFEDCBA98, kIvRight = 0x76543210;

TEST(BlowfishCipher, CbcAndCfbMatchKnownValuesAndInvert) {
    const std::vector<std::uint8_t> key = fromHex(kChainKey);
    const CBlowfishCipher cipher(key.data(), key.size(), kIvLeft, kIvRight);

    const std::string cbc = "6B77B4D63006DEE605B156E27403979358DEB9E7154616D959F1652BD5FF92CC";
    const std::string cfb = "E73214A2822139CAF26ECF6D2EB9E76E3DA3DE04D1517200519D57A6C3384ECE";
    EXPECT_EQ(cbc, encryptHex(cipher, kChainPlain, CBlowfishCipher::kModeCbc));
    EXPECT_EQ(cfb, encryptHex(cipher, kChainPlain, CBlowfishCipher::kModeCfb));
    EXPECT_EQ(kChainPlain, decryptHex(cipher, cbc, CBlowfishCipher::kModeCbc));
    EXPECT_EQ(kChainPlain, decryptHex(cipher, cfb, CBlowfishCipher::kModeCfb));
}

TEST(BlowfishCipher, EveryCallRestartsFromTheInitialChainBlock) {
    const std::vector<std::uint8_t> key = fromHex(kChainKey);
    const CBlowfishCipher cipher(key.data(), key.size(), kIvLeft, kIvRight);
    for (int mode : {CBlowfishCipher::kModeCbc, CBlowfishCipher::kModeCfb}) {
        const std::string first = encryptHex(cipher, kChainPlain, mode);
        EXPECT_EQ(first, encryptHex(cipher, kChainPlain, mode)) << mode;
        // Decrypting in two calls restarts too, so the second half no longer inverts.
        EXPECT_EQ(kChainPlain, decryptHex(cipher, first, mode)) << mode;
        EXPECT_NE(std::string(kChainPlain).substr(32), decryptHex(cipher, first.substr(32), mode)) << mode;
    }
}

TEST(BlowfishCipher, ModesOtherThan1And2AreEcb) {
    const std::vector<std::uint8_t> key = fromHex(kChainKey);
    const CBlowfishCipher cipher(key.data(), key.size(), kIvLeft, kIvRight);
    const std::string ecb = encryptHex(cipher, kChainPlain, CBlowfishCipher::kModeEcb);
    EXPECT_EQ(ecb.substr(0, 16), encryptHex(cipher, std::string(kChainPlain).substr(0, 16), 0));
    for (int mode : {3, -1, 1000}) {
        EXPECT_EQ(ecb, encryptHex(cipher, kChainPlain, mode)) << mode;
        EXPECT_EQ(kChainPlain, decryptHex(cipher, ecb, mode)) << mode;
    }
}

TEST(BlowfishCipher, WorksInPlaceInEveryMode) {
    const std::vector<std::uint8_t> key = fromHex(kChainKey);
    const CBlowfishCipher cipher(key.data(), key.size(), kIvLeft, kIvRight);
    for (int mode : {0, 1, 2}) {
        std::vector<std::uint8_t> buffer = fromHex(kChainPlain);
        cipher.Encrypt(buffer.data(), buffer.data(), buffer.size(), mode);
        EXPECT_EQ(encryptHex(cipher, kChainPlain, mode), toHex(buffer)) << mode;
        cipher.Decrypt(buffer.data(), buffer.data(), buffer.size(), mode);
        EXPECT_EQ(kChainPlain, toHex(buffer)) << mode;
    }
}

}  // namespace
}  // namespace tarnwick
