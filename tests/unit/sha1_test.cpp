#include "foundation/sha1.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

std::string hexOf(const std::string& text) { return Sha1Hex(Sha1(text.data(), text.size())); }

TEST(Sha1, Fips180TestVectors) {
    EXPECT_EQ("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709", hexOf(""));
    EXPECT_EQ("A9993E364706816ABA3E25717850C26C9CD0D89D", hexOf("abc"));
    EXPECT_EQ("84983E441C3BD26EBAAE4AA1F95129E5E54670F1",
              hexOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"));
    EXPECT_EQ("A49B2446A02C645BF419F995B67091253A04A259",
              hexOf("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
                    "mnopqrstnopqrstu"));
    EXPECT_EQ("34AA973CD4C4DAA4F61EEB2BDBAD27316534016F", hexOf(std::string(1000000, 'a')));
}

TEST(Sha1, PiecesGiveTheDigestOfTheWhole) {
    // Pieces that straddle the 64-byte blocks and the 56-byte padding boundary.
    const std::string text(200, 'x');
    for (std::size_t split : {1u, 55u, 56u, 63u, 64u, 65u, 119u, 199u}) {
        Sha1Digest digest;
        digest.update(text.data(), split);
        digest.update(text.data() + split, text.size() - split);
        EXPECT_EQ(hexOf(text), Sha1Hex(digest.finish())) << split;
    }
}

}  // namespace
}  // namespace tarnwick
