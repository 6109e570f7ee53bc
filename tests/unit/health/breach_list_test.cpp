#include "health/breach_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/sha1.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

class MemoryBytes : public ByteSource {
public:
    explicit MemoryBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& got) override {
        got = offset >= bytes_.size() ? 0 : std::min<std::size_t>(size, bytes_.size() - offset);
        std::copy_n(bytes_.data() + offset, got, buffer);
        ++reads;
        return true;
    }
    int reads = 0;

private:
    std::string bytes_;
};

std::string hashOf(const std::string& text) { return Sha1Hex(Sha1(text.data(), text.size())); }

// The sorted digests of "word0" .. "word<count-1>".
std::vector<std::string> sortedHashes(int count) {
    std::vector<std::string> hashes;
    for (int i = 0; i < count; ++i) hashes.push_back(hashOf("word" + std::to_string(i)));
    std::sort(hashes.begin(), hashes.end());
    return hashes;
}

// Each line's count is its index + 1, so that a find names the line it hit.
std::string listOf(const std::vector<std::string>& hashes, const char* lineEnd = "\n", bool finalEnd = true) {
    std::string text;
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        text += hashes[i] + ":" + std::to_string(i + 1);
        if (i + 1 < hashes.size() || finalEnd) text += lineEnd;
    }
    return text;
}

// Sorted after `hash` and before the next one: one more in the last digit, when that is free.
std::string justAfter(std::string hash) {
    char& last = hash.back();
    last = last == '9' ? 'A' : static_cast<char>(last + 1);
    return hash;
}

TEST(BreachList, LargeFileFindsStartMiddleEndAndNothingBetween) {
    // About 5 MB on disk, searched through the real file.
    const std::vector<std::string> hashes = sortedHashes(100000);
    TempFolder folder;
    const std::u16string path = folder.file(u"breached.txt");
    testing::WriteBytes(path, listOf(hashes, "\r\n"));
    std::string error;
    std::unique_ptr<ByteSource> file = OpenByteFile(path, error);
    ASSERT_TRUE(file) << error;
    BreachList list(*file);
    EXPECT_EQ("", list.checkEnds());
    for (const std::size_t index :
         {std::size_t{0}, std::size_t{1}, hashes.size() / 2, hashes.size() - 2, hashes.size() - 1}) {
        const BreachAnswer answer = list.find(hashes[index]);
        EXPECT_EQ(BreachStatus::Found, answer.status) << index;
        EXPECT_EQ(index + 1, answer.count);
    }
    for (const std::size_t index : {std::size_t{0}, std::size_t{5000}, hashes.size() / 2, hashes.size() - 1}) {
        const std::string between = justAfter(hashes[index]);
        if (index + 1 < hashes.size() && between == hashes[index + 1]) continue;
        EXPECT_EQ(BreachStatus::Absent, list.find(between).status) << index;
    }
    EXPECT_EQ(BreachStatus::Absent, list.find(std::string(40, '0')).status);
    EXPECT_EQ(BreachStatus::Absent, list.find(std::string(40, 'F')).status);
    EXPECT_EQ(BreachStatus::Found, list.find(hashOf("word777")).status);
}

TEST(BreachList, LineEndsAndTheLastLine) {
    const std::vector<std::string> hashes = sortedHashes(50);
    for (const char* end : {"\n", "\r\n"}) {
        for (const bool finalEnd : {true, false}) {
            MemoryBytes bytes(listOf(hashes, end, finalEnd));
            BreachList list(bytes);
            EXPECT_EQ("", list.checkEnds());
            for (std::size_t i = 0; i < hashes.size(); ++i) {
                const BreachAnswer answer = list.find(hashes[i]);
                EXPECT_EQ(BreachStatus::Found, answer.status) << i;
                EXPECT_EQ(i + 1, answer.count);
            }
            EXPECT_EQ(BreachStatus::Absent, list.find(std::string(40, 'F')).status);
        }
    }
    MemoryBytes one(hashes[7] + ":3");
    EXPECT_EQ(3u, BreachList(one).find(hashes[7]).count);
}

TEST(BreachList, ALookupReadsAFewLinesPerHalving) {
    const std::vector<std::string> hashes = sortedHashes(20000);
    MemoryBytes bytes(listOf(hashes));
    BreachList list(bytes);
    list.find(hashes[12345]);
    EXPECT_LT(bytes.reads, 2 * 2 * 22);
}

TEST(BreachList, FaultyFilesAreReportedNeverClean) {
    std::vector<std::string> hashes = sortedHashes(2000);
    const std::string target = justAfter(hashes[1500]);
    const auto faultOf = [&](const std::string& text) {
        MemoryBytes bytes(text);
        BreachList list(bytes);
        const std::string ends = list.checkEnds();
        // Never "not breached" without a fault found.
        return !ends.empty() || list.find(target).status != BreachStatus::Absent;
    };
    EXPECT_TRUE(faultOf(""));
    // Out of order: reversed, and one block moved.
    std::vector<std::string> reversed(hashes.rbegin(), hashes.rend());
    EXPECT_TRUE(faultOf(listOf(reversed)));
    std::vector<std::string> shuffled = hashes;
    std::rotate(shuffled.begin() + 1000, shuffled.begin() + 1600, shuffled.end());
    EXPECT_TRUE(faultOf(listOf(shuffled)));

    // Lines out of form where the search reads them.
    std::string lower = listOf(hashes);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
    EXPECT_TRUE(faultOf(lower));
    EXPECT_TRUE(faultOf(std::string(5000, 'x')));
    std::vector<std::string> bad = hashes;
    for (std::size_t i = 0; i < bad.size(); i += 2) bad[i] += "Z";  // 41 characters before the colon
    EXPECT_TRUE(faultOf(listOf(bad)));
    EXPECT_TRUE(faultOf(listOf(hashes) + std::string(200, '7') + "\n"));
}

}  // namespace
}  // namespace tarnwick
