#include "health/password_strength.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

struct WeakCase {
    std::u16string password;
    WeakPattern pattern;
};

TEST(PasswordStrength, EachPatternMakesAPasswordWeakAndIsNamed) {
    const WeakCase cases[] = {
        {u"password", WeakPattern::CommonPassword},
        {u"Sunshine", WeakPattern::CommonPassword},
        {u"P@ssw0rd", WeakPattern::CommonPassword},  // substitutions
        {u"Football2019", WeakPattern::CommonPassword},
        {u"poiuytrewq", WeakPattern::KeyboardWalk},
        {u"zxcvbnm,./", WeakPattern::KeyboardWalk},
        {u"zaq1xsw2cde3", WeakPattern::KeyboardWalk},  // up the columns, one after another
        {u"xxxxxxxxxxxxxxxx", WeakPattern::Repeat},
        {u"k8Tk8Tk8Tk8Tk8T", WeakPattern::Repeat},
        {u"abcdefghijklmnop", WeakPattern::Sequence},
        {u"9876543210", WeakPattern::Sequence},
        {u"13579", WeakPattern::Sequence},
        {u"19840612", WeakPattern::Date},
        {u"12/06/1984", WeakPattern::Date},
        {u"k7Qz", WeakPattern::TooSimple},
        {u"tvqmbhxe", WeakPattern::TooSimple},  // 8 random lower-case letters: guessed offline
    };
    for (const WeakCase& c : cases) {
        const StrengthEstimate estimate = EstimateStrength(c.password);
        EXPECT_TRUE(IsWeak(estimate)) << std::string(c.password.begin(), c.password.end()) << " " << estimate.bits;
        EXPECT_EQ(c.pattern, estimate.pattern) << std::string(c.password.begin(), c.password.end());
    }
}

TEST(PasswordStrength, LengthAndClassesAloneDoNotPassACommonPattern) {
    // Long and of four classes, yet made of two common words and a year.
    // By length and classes alone it would take over 100 bits.
    EXPECT_LT(EstimateStrength(u"Dragon!Monkey1987").bits, 50);
    EXPECT_LT(EstimateStrength(u"Qwerty123456!").bits, kWeakBits);
    EXPECT_LT(EstimateStrength(u"passwordpassword").bits, EstimateStrength(u"password").bits + 4);
}

TEST(PasswordStrength, RandomPasswordsAreStrong) {
    for (const std::u16string password :
         {u"hV9#tq2LmZ!x8r", u"c4Rt-Wq8pLz0", u"mfkzqweopdvhxlrtbnas", u"Zürich·Ödön·Å42"}) {
        const StrengthEstimate estimate = EstimateStrength(password);
        EXPECT_FALSE(IsWeak(estimate)) << estimate.bits;
    }
    // A longer password of the same kind never scores lower.
    EXPECT_LT(EstimateStrength(u"hV9#tq2L").bits, EstimateStrength(u"hV9#tq2LmZ!x8r").bits);
}

TEST(PasswordStrength, EmptyAndLongInputs) {
    EXPECT_EQ(WeakPattern::TooSimple, EstimateStrength(u"").pattern);
    EXPECT_TRUE(IsWeak(EstimateStrength(u"")));
    // A long input is estimated in reasonable time and stays strong when random.
    std::u16string text;
    for (int i = 0; i < 400; ++i) text += static_cast<char16_t>(u'!' + (i * 37) % 90);
    EXPECT_FALSE(IsWeak(EstimateStrength(text)));
}

}  // namespace
}  // namespace tarnwick
