// The copy-data message format: what a sender builds, and what a receiver
// makes of well-formed and malformed messages from another process. Buffers
// are allocated at their exact size so that AddressSanitizer sees any overread.
#include "platform/copy_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace tarnwick {
namespace {

// `units` copied into a heap block of exactly `bytes` bytes (may cut a unit in half).
std::unique_ptr<unsigned char[]> exactBuffer(std::u16string_view units, std::size_t bytes) {
    auto buffer = std::make_unique<unsigned char[]>(bytes);
    std::memcpy(buffer.get(), units.data(), std::min(bytes, units.size() * sizeof(char16_t)));
    return buffer;
}

std::u16string bytesAsUnits(const void* data, std::uint32_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, size);
    return units;
}

TEST(CopyDataPayload, TextTravelsWithItsTerminator) {
    const auto payload = CopyDataPayload::withText(10, u"C:\\a");
    EXPECT_EQ(payload.code(), 10u);
    EXPECT_EQ(payload.byteCount(), 10u);
    EXPECT_EQ(bytesAsUnits(payload.data(), payload.byteCount()), std::u16string(u"C:\\a\0", 5));
}

TEST(CopyDataPayload, EmptyTextIsTheTerminatorAlone) {
    const auto payload = CopyDataPayload::withText(0, u"");
    EXPECT_EQ(payload.byteCount(), 2u);
    ASSERT_NE(payload.data(), nullptr);
    EXPECT_EQ(bytesAsUnits(payload.data(), 2), std::u16string(1, u'\0'));
}

TEST(CopyDataPayload, NoTextIsZeroBytesAndNoPointer) {
    const auto payload = CopyDataPayload::of(36, std::nullopt);
    EXPECT_EQ(payload.code(), 36u);
    EXPECT_EQ(payload.byteCount(), 0u);
    EXPECT_EQ(payload.data(), nullptr);
}

TEST(ReceiveCopyData, RoundTripsWhatTheSenderBuilt) {
    const std::u16string texts[] = {u"", u"\\Shop\\Store", u"C:\\数据\\用户", u"\U0001F511 key"};
    for (const auto& text : texts) {
        const auto payload = CopyDataPayload::withText(28, text);
        const auto received = ReceiveCopyData(payload.code(), payload.byteCount(), payload.data());
        EXPECT_EQ(received.code, 28u);
        EXPECT_EQ(received.text, std::optional<std::u16string>(text));
    }
    const auto none = CopyDataPayload::withoutText(65);
    const auto received = ReceiveCopyData(none.code(), none.byteCount(), none.data());
    EXPECT_EQ(received.code, 65u);
    EXPECT_EQ(received.text, std::nullopt);
}

TEST(ReceiveCopyData, KeepsTheWholeCodeEvenWithABadPayload) {
    const std::uintptr_t big = ~std::uintptr_t{0};
    const auto received = ReceiveCopyData(big, 3, u"abc");
    EXPECT_EQ(received.code, big);
    EXPECT_EQ(received.text, std::nullopt);
}

TEST(ReceiveCopyData, MissingOrOddPayloadMeansNoText) {
    const auto data = exactBuffer(u"abcd", 8);
    EXPECT_EQ(ReceiveCopyData(1, 0, data.get()).text, std::nullopt);  // size 0, data given
    EXPECT_EQ(ReceiveCopyData(1, 8, nullptr).text, std::nullopt);     // size given, no data
    EXPECT_EQ(ReceiveCopyData(1, 0, nullptr).text, std::nullopt);
    for (std::uint32_t odd : {1u, 3u, 7u}) {
        const auto oddData = exactBuffer(u"abcd", odd);
        EXPECT_EQ(ReceiveCopyData(1, odd, oddData.get()).text, std::nullopt) << odd;
    }
}

TEST(ReceiveCopyData, AcceptsATextWithoutItsTerminator) {
    const auto data = exactBuffer(u"ab", 4);
    EXPECT_EQ(ReceiveCopyData(0, 4, data.get()).text, std::optional<std::u16string>(u"ab"));
    const auto one = exactBuffer(u"x", 2);
    EXPECT_EQ(ReceiveCopyData(0, 2, one.get()).text, std::optional<std::u16string>(u"x"));
}

TEST(ReceiveCopyData, StopsAtTheFirstZero) {
    const std::u16string units(u"ab\0cd\0", 6);
    const auto data = exactBuffer(units, 12);
    EXPECT_EQ(ReceiveCopyData(0, 12, data.get()).text, std::optional<std::u16string>(u"ab"));
    const auto leading = exactBuffer(std::u16string(u"\0ab", 3), 6);
    EXPECT_EQ(ReceiveCopyData(0, 6, leading.get()).text, std::optional<std::u16string>(u""));
}

TEST(ReceiveCopyData, ReadsNoMoreThanTheSizeSays) {
    // The sender's buffer is longer than cbData: the rest is not part of the text.
    const auto data = exactBuffer(u"abcdef", 12);
    EXPECT_EQ(ReceiveCopyData(0, 4, data.get()).text, std::optional<std::u16string>(u"ab"));
}

TEST(ReceiveCopyData, ReadsUnalignedData) {
    // One byte in: every unit straddles an alignment boundary.
    const std::u16string units(u"C:\\x\0", 5);
    auto block = std::make_unique<unsigned char[]>(1 + 10);
    std::memcpy(block.get() + 1, units.data(), 10);
    EXPECT_EQ(ReceiveCopyData(0, 10, block.get() + 1).text, std::optional<std::u16string>(u"C:\\x"));
}

}  // namespace
}  // namespace tarnwick
