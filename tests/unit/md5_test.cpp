#include "foundation/md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tarnwick {
namespace {

std::string hexOf(const std::string& text) {
    const auto digest = Md5(text.data(), text.size());
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : digest) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

TEST(Md5, Rfc1321TestSuite) {
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", hexOf(""));
    EXPECT_EQ("0cc175b9c0f1b6a831c399e269772661", hexOf("a"));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", hexOf("abc"));
    EXPECT_EQ("f96b697d7cb7938d525a2f31aaf161d0", hexOf("message digest"));
    EXPECT_EQ("c3fcd3d76192e4007dfb496cca67e13b", hexOf("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("d174ab98d277d9f5a5611c2c9f419d9f",
              hexOf("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    EXPECT_EQ("57edf4a22be3c955ac49da2e2107b67a",
              hexOf("12345678901234567890123456789012345678901234567890123456789012345678901234567890"));
}

TEST(Md5, PaddingBoundaries) {
    // 55, 56 and 64 bytes fall on either side of the length field's block.
    EXPECT_EQ("ef1772b6dff9a122358552954ad0df65", hexOf(std::string(55, 'a')));
    EXPECT_EQ("3b0c8ac703f828b04c6c197006d17218", hexOf(std::string(56, 'a')));
    EXPECT_EQ("014842d480b571495a4a0363793f7367", hexOf(std::string(64, 'a')));
}

// Pieces of every size, across block boundaries, give the digest of the whole.
TEST(Md5, PiecesGiveTheDigestOfTheWhole) {
    std::string text;
    for (int i = 0; i < 300; ++i) text.push_back(static_cast<char>(i * 7 + 3));
    const auto whole = Md5(text.data(), text.size());
    for (std::size_t piece : {1u, 3u, 55u, 63u, 64u, 65u, 128u, 299u}) {
        Md5Digest digest;
        for (std::size_t done = 0; done < text.size(); done += piece) {
            digest.update(text.data() + done, std::min(piece, text.size() - done));
        }
        EXPECT_EQ(whole, digest.finish()) << piece;
    }
    Md5Digest empty;
    empty.update(nullptr, 0);
    EXPECT_EQ(Md5("", 0), empty.finish());
}

}  // namespace
}  // namespace tarnwick
