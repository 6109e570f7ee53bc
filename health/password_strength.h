// How hard a password is to guess: an estimate in bits that knows what people
// choose (common passwords, keyboard walks, repeats, sequences and dates), not
// only its length and character classes. Portable and self-contained.
#pragma once

#include <string_view>

namespace tarnwick {

// The pattern that makes a password easiest to guess.
enum class WeakPattern { None, CommonPassword, KeyboardWalk, Repeat, Sequence, Date, TooSimple };

struct StrengthEstimate {
    double bits = 0;                          // log2 of the guesses an attacker who knows the patterns needs
    WeakPattern pattern = WeakPattern::None;  // the pattern covering most of it, if any
};

// Below this a password is weak: guessed within hours by an offline attacker.
inline constexpr double kWeakBits = 40.0;

StrengthEstimate EstimateStrength(std::u16string_view password);
inline bool IsWeak(const StrengthEstimate& estimate) { return estimate.bits < kWeakBits; }

// A short English phrase for a pattern ("a common password", ...).
std::u16string_view DescribePattern(WeakPattern pattern);

}  // namespace tarnwick
