#include "foundation/blowfish_cipher.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::vector<std::uint8_t> fromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string toHex(const std::uint8_t* bytes, std::size_t n) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 15]);
    }
    return out;
}

struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// The published variable-key ECB vectors of the cipher's reference.
constexpr Vector kVectors[] = {
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

TEST(BlowfishCipher, PublishedEcbVectorsBothWays) {
    for (const Vector& v : kVectors) {
        const auto key = fromHex(v.key);
        const auto plain = fromHex(v.plain);
        CBlowfishCipher cipher(key.data(), key.size());
        std::uint8_t out[8];
        cipher.Encrypt(plain.data(), out, 8, CBlowfishCipher::kModeEcb);
        EXPECT_EQ(v.cipher, toHex(out, 8)) << "key " << v.key;
        cipher.Decrypt(out, out, 8, 0);
        EXPECT_EQ(v.plain, toHex(out, 8)) << "key " << v.key;
    }
}

std::string encryptHex(const std::vector<std::uint8_t>& key, const std::string& plainHex, int mode = 0) {
    const auto plain = fromHex(plainHex);
    std::vector<std::uint8_t> out(plain.size());
    CBlowfishCipher(key.data(), key.size()).Encrypt(plain.data(), out.data(), out.size(), mode);
    return toHex(out.data(), out.size());
}

TEST(BlowfishCipher, KeyLengthsAreCutAndRepeated) {
    std::vector<std::uint8_t> long57(57), first56;
    for (std::size_t i = 0; i < long57.size(); ++i) long57[i] = static_cast<std::uint8_t>(i * 7 + 1);
    first56.assign(long57.begin(), long57.begin() + 56);
    std::vector<std::uint8_t> long80 = long57;
    long80.resize(80, 0xAB);
    EXPECT_EQ(encryptHex(first56, "0123456789ABCDEF"), encryptHex(long57, "0123456789ABCDEF"));
    EXPECT_EQ(encryptHex(first56, "0123456789ABCDEF"), encryptHex(long80, "0123456789ABCDEF"));

    // Keys are taken cyclically: one byte is the same as that byte 8 times, and
    // a 5-byte key is not the same as that key padded with zeros.
    EXPECT_EQ(encryptHex({0x5A}, "0000000000000000"), encryptHex(std::vector<std::uint8_t>(8, 0x5A), "0000000000000000"));
    const std::vector<std::uint8_t> five = {1, 2, 3, 4, 5};
    EXPECT_EQ(encryptHex(five, "0000000000000000"),
              encryptHex({1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}, "0000000000000000"));
    EXPECT_NE(encryptHex(five, "0000000000000000"), encryptHex({1, 2, 3, 4, 5, 0, 0, 0}, "0000000000000000"));
}

TEST(BlowfishCipher, ErrorsCarryTheExactTextsAndLeaveTheOutputAlone) {
    const std::uint8_t key[1] = {1};
    try {
        CBlowfishCipher cipher(key, 0);
        FAIL() << "an empty key was accepted";
    } catch (const std::exception& e) {
        EXPECT_STREQ("Incorrect key length", e.what());
    }

    CBlowfishCipher cipher(key, 1);
    std::uint8_t in[16] = {};
    for (std::size_t count : {std::size_t{0}, std::size_t{12}, std::size_t{7}}) {
        std::uint8_t out[16];
        std::memset(out, 0xCC, sizeof out);
        for (int direction = 0; direction < 2; ++direction) {
            try {
                if (direction == 0) cipher.Encrypt(in, out, count, 0);
                else cipher.Decrypt(in, out, count, 0);
                FAIL() << "count " << count << " was accepted";
            } catch (const std::exception& e) {
                EXPECT_STREQ("Incorrect buffer length", e.what());
            }
            for (std::uint8_t b : out) EXPECT_EQ(0xCC, b);
        }
    }
    // The object stays usable after an error.
    std::uint8_t out[8];
    cipher.Encrypt(in, out, 8, 0);
}

// CBC and CFB against OpenSSL's bf-cbc / bf-cfb with the same key and chain block.
TEST(BlowfishCipher, ChainedModesRestartEveryCallAndInvertThemselves) {
    const std::vector<std::uint8_t> key = fromHex("0123456789ABCDEFF0E1D2C3B4A59687");
    const auto plain = fromHex("37363534333231204E6F77206973207468652074696D6520666F722000000000");
    const std::uint32_t ivLeft = 0xFEDCBA98, ivRight = 0x76543210;
    CBlowfishCipher cipher(key.data(), key.size(), ivLeft, ivRight);

    std::vector<std::uint8_t> cbc(plain.size()), again(plain.size()), back(plain.size());
    cipher.Encrypt(plain.data(), cbc.data(), plain.size(), CBlowfishCipher::kModeCbc);
    EXPECT_EQ("6B77B4D63006DEE605B156E27403979358DEB9E7154616D959F1652BD5FF92CC", toHex(cbc.data(), cbc.size()));
    cipher.Encrypt(plain.data(), again.data(), plain.size(), CBlowfishCipher::kModeCbc);
    EXPECT_EQ(cbc, again);
    cipher.Decrypt(cbc.data(), back.data(), back.size(), CBlowfishCipher::kModeCbc);
    EXPECT_EQ(plain, back);

    std::vector<std::uint8_t> cfb = plain;  // in place
    cipher.Encrypt(cfb.data(), cfb.data(), cfb.size(), CBlowfishCipher::kModeCfb);
    EXPECT_EQ("E73214A2822139CAF26ECF6D2EB9E76E3DA3DE04D1517200519D57A6C3384ECE", toHex(cfb.data(), cfb.size()));
    cipher.Decrypt(cfb.data(), cfb.data(), cfb.size(), CBlowfishCipher::kModeCfb);
    EXPECT_EQ(plain, cfb);

    // Any mode value other than 1 and 2 is ECB.
    std::vector<std::uint8_t> ecb(plain.size()), other(plain.size());
    cipher.Encrypt(plain.data(), ecb.data(), plain.size(), 0);
    cipher.Encrypt(plain.data(), other.data(), plain.size(), 7);
    EXPECT_EQ(ecb, other);
}

}  // namespace
}  // namespace tarnwick
