// The password generator: uniform draws without modulo bias, the class rules,
// what is left out, the refusals, passphrases, and the policy as the option
// file and the policy dialog give it.
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <set>
#include <vector>

#include "generator/policy_entry.h"
#include "generator/word_list.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

// A fixed-seed stand-in (splitmix64): the same bytes every run, so the
// statistical bounds below can never flake.
class SeededSource : public RandomSource {
public:
    explicit SeededSource(std::uint64_t seed) : state_(seed) {}
    void fill(std::span<std::uint8_t> bytes) override {
        for (std::uint8_t& byte : bytes) {
            if (left_ == 0) {
                state_ += 0x9E3779B97F4A7C15ull;
                std::uint64_t z = state_;
                z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
                z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
                word_ = z ^ (z >> 31);
                left_ = 8;
            }
            byte = static_cast<std::uint8_t>(word_ >> (8 * --left_));
        }
    }

private:
    std::uint64_t state_;
    std::uint64_t word_ = 0;
    int left_ = 0;
};

// Hands out the given 32-bit values (big-endian, as the draw reads them), then zeros.
class ScriptedSource : public RandomSource {
public:
    explicit ScriptedSource(std::vector<std::uint32_t> values) : values_(values.begin(), values.end()) {}
    void fill(std::span<std::uint8_t> bytes) override {
        std::memset(bytes.data(), 0, bytes.size());
        for (std::size_t i = 0; i + 4 <= bytes.size() && !values_.empty(); i += 4) {
            for (int b = 0; b < 4; ++b) bytes[i + b] = static_cast<std::uint8_t>(values_.front() >> (24 - 8 * b));
            values_.pop_front();
        }
    }

private:
    std::deque<std::uint32_t> values_;
};

double chiSquare(const std::vector<int>& counts, double expected) {
    double sum = 0;
    for (int count : counts) sum += (count - expected) * (count - expected) / expected;
    return sum;
}

std::vector<int> drawCounts(RandomSource& source, std::uint32_t bound, int perBucket) {
    UniformDraw draw(source);
    std::vector<int> counts(bound, 0);
    for (int i = 0; i < static_cast<int>(bound) * perBucket; ++i) ++counts[draw.below(bound)];
    return counts;
}

PasswordPolicy characters(int length, unsigned classes) {
    PasswordPolicy policy;
    policy.length = length;
    policy.classes = classes;
    return policy;
}

TEST(UniformDraw, ValuesInTheBiasedTailAreDrawnAgain) {
    // 2^32 = 3 * 1431655765 + 1: only 0xFFFFFFFF is past the last whole multiple of 3.
    ScriptedSource source({0xFFFFFFFFu, 5u});
    EXPECT_EQ(UniformDraw(source).below(3), 2u);
    // A power of two has no tail: the top value is taken.
    ScriptedSource top({0xFFFFFFFFu});
    EXPECT_EQ(UniformDraw(top).below(4), 3u);
}

TEST(UniformDraw, SpreadsEvenlyOverAnAwkwardBound) {
    // 94 buckets (printable ASCII less the space), 93 degrees of freedom: the
    // 99.99 % point is near 150.
    SeededSource seeded(20261209);
    EXPECT_LT(chiSquare(drawCounts(seeded, 94, 500), 500), 150.0);
    // Once over the system's own source, with a bound no fair source misses.
    EXPECT_LT(chiSquare(drawCounts(NativeRandomSource(), 94, 200), 200), 250.0);
}

TEST(GeneratePassword, HoldsOneOfEachChosenClassAtUniformPlaces) {
    SeededSource source(7);
    const unsigned order[] = {char_class::kLower, char_class::kUpper, char_class::kDigits, char_class::kSymbols};
    // Length 4 with four classes: each class exactly once; where the digit lands must be uniform.
    std::vector<int> digitAt(4, 0);
    const int runs = 4000;
    for (int run = 0; run < runs; ++run) {
        const std::u16string text = GeneratePassword(characters(4, char_class::kAll), source).text;
        ASSERT_EQ(text.size(), 4u);
        for (unsigned bit : order) {
            EXPECT_EQ(std::count_if(text.begin(), text.end(),
                                    [&](char16_t c) { return ClassAlphabet(bit).find(c) != std::u16string::npos; }),
                      1)
                << std::string(text.begin(), text.end());
        }
        for (std::size_t i = 0; i < 4; ++i) {
            if (text[i] >= u'0' && text[i] <= u'9') ++digitAt[i];
        }
    }
    EXPECT_LT(chiSquare(digitAt, runs / 4.0), 25.0);  // 3 degrees of freedom
}

TEST(GeneratePassword, UsesOnlyTheChosenClassesAndLeavesOutWhatIsLeftOut) {
    SeededSource source(11);
    PasswordPolicy policy = characters(1024, char_class::kLower | char_class::kDigits | char_class::kSymbols);
    policy.noLookalikes = true;
    policy.leaveOut = u"ab\"";
    const std::u16string text = GeneratePassword(policy, source).text;
    ASSERT_EQ(text.size(), 1024u);
    for (char16_t c : text) {
        EXPECT_TRUE(c > u' ' && c < 0x7F) << "printable ASCII only";
        EXPECT_FALSE(c >= u'A' && c <= u'Z');
        EXPECT_EQ(std::u16string_view(u"0Oo1lI|ab\"").find(c), std::u16string_view::npos) << char(c);
    }
    EXPECT_EQ(UsableCharacters(char_class::kDigits, policy), u"23456789");
    // Off by default: look-alikes are drawn like any other character.
    EXPECT_FALSE(PasswordPolicy{}.noLookalikes);
    EXPECT_NE(GeneratePassword(characters(1024, char_class::kDigits), source).text.find(u'0'), std::u16string::npos);
}

TEST(GeneratePassword, RefusesPoliciesNoPasswordCanMeet) {
    SeededSource source(3);
    PasswordPolicy allDigitsOut = characters(8, char_class::kDigits | char_class::kLower);
    allDigitsOut.leaveOut = u"0123456789";
    PasswordPolicy tooManyWords;
    tooManyWords.words = kMaxPassphraseWords + 1;
    for (const PasswordPolicy& policy :
         {characters(0, char_class::kAll), characters(1025, char_class::kAll), characters(8, 0), characters(8, 16),
          characters(3, char_class::kAll), allDigitsOut, tooManyWords}) {
        const GeneratedPassword generated = GeneratePassword(policy, source);
        EXPECT_TRUE(generated.text.empty());
        EXPECT_FALSE(generated.refusal.empty());
    }
    EXPECT_EQ(PolicyRefusal(allDigitsOut), u"Every one of the digits is left out.");
    EXPECT_EQ(PolicyRefusal(characters(3, char_class::kAll)),
              u"A password of 3 characters cannot hold one of each of the 4 kinds chosen.");
    EXPECT_EQ(GeneratePassword(characters(1, char_class::kUpper), source).text.size(), 1u);
}

TEST(GeneratePassword, PassphrasesAreWordsOfTheShippedList) {
    const auto words = PassphraseWords();
    ASSERT_GT(words.size(), 4000u);
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
    EXPECT_EQ(std::adjacent_find(words.begin(), words.end()), words.end());
    for (std::string_view word : words) {
        ASSERT_TRUE(word.size() >= 4 && word.size() <= 5 &&
                    std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            << word;
    }
    SeededSource source(5);
    PasswordPolicy policy;
    policy.words = 6;
    const std::u16string text = GeneratePassword(policy, source).text;
    std::vector<std::string> parts(1);
    for (char16_t c : text) {
        if (c == kPassphraseSeparator) {
            parts.emplace_back();
        } else {
            parts.back() += static_cast<char>(c);
        }
    }
    ASSERT_EQ(parts.size(), 6u) << std::string(text.begin(), text.end());
    for (const std::string& part : parts) EXPECT_TRUE(std::binary_search(words.begin(), words.end(), part)) << part;
}

TEST(PasswordPolicyOptions, DamagedValuesAreTheDefaultsAndAWrittenPolicyReadsBack) {
    EXPECT_EQ(PolicyFromOptionValues(u"", u"", u"", u""), PasswordPolicy{});
    for (std::u16string_view length : {u"0", u"1025", u"-5", u"12x", u"00012345", u" 12"}) {
        EXPECT_EQ(PolicyFromOptionValues(length, u"", u"", u"").length, kDefaultPasswordLength);
    }
    for (std::u16string_view classes : {u"lower,,upper", u"lower,lower", u"LOWER", u"lower,", u"ascii"}) {
        EXPECT_EQ(PolicyFromOptionValues(u"", classes, u"", u"").classes, char_class::kAll);
    }
    // Three characters cannot hold four classes: the length falls back, not the classes.
    EXPECT_EQ(PolicyFromOptionValues(u"3", u"", u"1", u"65"),
              (PasswordPolicy{kDefaultPasswordLength, char_class::kAll, true, u"", 0}));

    testing::TempFolder user;
    const OptionStore options(user.path(), nullptr);
    const PasswordPolicy policy{12, char_class::kUpper | char_class::kSymbols, true, u"", 5};
    WritePasswordPolicy(options, policy);
    EXPECT_EQ(ReadPasswordPolicy(options), policy);
    EXPECT_EQ(options.ReadOptionQuietly(option_key::kGenClasses), u"upper,symbols");
}

TEST(PolicyEntry, OkChecksOnlyTheChosenKind) {
    PolicyEntry entry = EntryOfPolicy(PasswordPolicy{});
    EXPECT_EQ(entry.length, u"20");
    EXPECT_TRUE(AcceptPolicyEntry(entry).refusal.empty());
    entry.length = u"2000";
    EXPECT_EQ(AcceptPolicyEntry(entry).refusal, u"The length must be a number from 1 to 1024.");
    entry.length = u"8";
    entry.classes = 0;
    EXPECT_FALSE(AcceptPolicyEntry(entry).refusal.empty());
    // Words: the character fields do not stop OK, and are kept only when sound.
    entry.useWords = true;
    entry.words = u"0";
    EXPECT_EQ(AcceptPolicyEntry(entry).refusal, u"The number of words must be from 1 to 64.");
    entry.words = u"7";
    const PolicyEntryResult result = AcceptPolicyEntry(entry);
    EXPECT_TRUE(result.refusal.empty());
    EXPECT_EQ(result.policy.words, 7);
    EXPECT_EQ(result.policy.classes, char_class::kAll);
}

}  // namespace
}  // namespace tarnwick
