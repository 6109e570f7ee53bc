#include "foundation/secret_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {
namespace {

// Looks at every buffer before it is freed: a buffer that held a secret must
// come back all zeros. Live buffers can be looked at too.
struct Buffers {
    static inline int freed = 0;
    static inline int dirty = 0;
    static inline std::map<const void*, std::size_t> live;  // buffer -> bytes
    static void reset() {
        freed = dirty = 0;
        live.clear();
    }
    static bool allZero(const void* data, std::size_t bytes) {
        const auto* p = static_cast<const unsigned char*>(data);
        return std::all_of(p, p + bytes, [](unsigned char c) { return c == 0; });
    }
    // The one live buffer, from `from` bytes into it, is all zeros.
    static bool onlyLiveZeroFrom(std::size_t from) {
        if (live.size() != 1) return false;
        const auto& [data, bytes] = *live.begin();
        return allZero(static_cast<const unsigned char*>(data) + from, bytes - from);
    }
};

template <class T>
struct ObservingAllocator {
    using value_type = T;
    ObservingAllocator() = default;
    template <class U>
    ObservingAllocator(const ObservingAllocator<U>&) {}
    T* allocate(std::size_t n) {
        T* p = std::allocator<T>().allocate(n);
        Buffers::live[p] = n * sizeof(T);
        return p;
    }
    void deallocate(T* p, std::size_t n) {
        ++Buffers::freed;
        if (!Buffers::allZero(p, n * sizeof(T))) ++Buffers::dirty;
        Buffers::live.erase(p);
        std::allocator<T>().deallocate(p, n);
    }
    bool operator==(const ObservingAllocator&) const = default;
};

using Observed = std::basic_string<char16_t, std::char_traits<char16_t>, ObservingAllocator<char16_t>>;
using ObservedSecret = BasicSecretText<char16_t, ObservingAllocator<char16_t>>;

// Longer than any string's inline buffer: these live on the heap.
constexpr std::u16string_view kLong = u"correct horse battery staple 1";
constexpr std::u16string_view kLonger = u"correct horse battery staple 1 and a few more words";

class SecretTextTest : public ::testing::Test {
protected:
    void SetUp() override { Buffers::reset(); }
};

TEST_F(SecretTextTest, ObserverSeesWhatAPlainStringLeavesBehind) {
    { Observed plain(kLong.begin(), kLong.end()); }
    EXPECT_EQ(Buffers::freed, 1);
    EXPECT_EQ(Buffers::dirty, 1);
}

TEST_F(SecretTextTest, EveryBufferLetGoIsWiped) {
    {
        ObservedSecret secret(kLong);
        EXPECT_EQ(secret.view(), kLong);
        secret.assign(kLonger);  // grows: a new buffer
        EXPECT_EQ(secret.view(), kLonger);
        secret.assign(u"short");
        EXPECT_EQ(secret.view(), u"short");

        ObservedSecret copy(secret);
        copy.assign(kLonger);
        secret = copy;  // longer than its buffer again
        EXPECT_EQ(secret.view(), kLonger);

        ObservedSecret moved(std::move(copy));
        EXPECT_TRUE(copy.empty());
        EXPECT_EQ(moved.view(), kLonger);
        secret = std::move(moved);
        EXPECT_EQ(secret.view(), kLonger);

        ObservedSecret adopted(Observed(kLong.begin(), kLong.end()));
        EXPECT_EQ(adopted.view(), kLong);
    }
    EXPECT_GE(Buffers::freed, 4);
    EXPECT_EQ(Buffers::dirty, 0);
    EXPECT_TRUE(Buffers::live.empty());
}

TEST_F(SecretTextTest, ClearWipesTheBufferItKeeps) {
    ObservedSecret secret(kLonger);
    secret.assign(kLong);  // shorter: the old tail stays in the buffer
    secret.clear();
    EXPECT_TRUE(secret.empty());
    EXPECT_TRUE(Buffers::onlyLiveZeroFrom(0));
}

TEST_F(SecretTextTest, WipeAndReplaceWorkInPlace) {
    Observed text(kLonger.begin(), kLonger.end());
    ReplaceText(text, std::u16string_view(u"ab"));
    EXPECT_EQ(text, u"ab");
    // The old characters after the new text and its terminator are gone.
    EXPECT_TRUE(Buffers::onlyLiveZeroFrom(3 * sizeof(char16_t)));

    ReplaceText(text, kLonger);
    EXPECT_EQ(std::u16string_view(text.data(), text.size()), kLonger);
    ReplaceText(text, std::u16string_view(text.data() + 8, 5));  // a part of itself
    EXPECT_EQ(text, u"horse");
    ReplaceText(text, kLonger);
    text.resize(4);  // shortened by other code: the tail stays until wiped
    WipeText(text);
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(Buffers::onlyLiveZeroFrom(0));

    std::basic_string<char, std::char_traits<char>, ObservingAllocator<char>> narrow(40, 'x');
    std::vector<Observed> lines;
    lines.reserve(2);
    lines.emplace_back(kLong.begin(), kLong.end());
    lines.emplace_back(kLonger.begin(), kLonger.end());
    {
        WipeOnExit wipeNarrow(narrow);
        WipeOnExit wipeLines(lines);
    }
    EXPECT_TRUE(narrow.empty());
    EXPECT_TRUE(lines[0].empty() && lines[1].empty());
    lines.clear();
    narrow.shrink_to_fit();
    text.shrink_to_fit();
    EXPECT_EQ(Buffers::dirty, 0);
}

}  // namespace
}  // namespace tarnwick
