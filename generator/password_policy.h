// What a generated password is made of: its length and character classes, the
// characters left out, or a passphrase of N words. The policy is kept in the
// user's option file; absent or damaged values there mean the defaults.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/option_store.h"

namespace tarnwick {

namespace char_class {
inline constexpr unsigned kLower = 1u;
inline constexpr unsigned kUpper = 2u;
inline constexpr unsigned kDigits = 4u;
inline constexpr unsigned kSymbols = 8u;
inline constexpr unsigned kAll = kLower | kUpper | kDigits | kSymbols;
}  // namespace char_class

namespace option_key {
inline constexpr std::u16string_view kGenLength = u"[GENLENGTH]";
inline constexpr std::u16string_view kGenClasses = u"[GENCLASSES]";
inline constexpr std::u16string_view kGenNoLookalikes = u"[GENNOLOOKALIKES]";
inline constexpr std::u16string_view kGenWords = u"[GENWORDS]";
}  // namespace option_key

inline constexpr int kDefaultPasswordLength = 20;
inline constexpr int kMaxPasswordLength = 1024;
inline constexpr int kMaxPassphraseWords = 64;

// Characters that are easily taken for one another when read or typed.
inline constexpr std::u16string_view kLookalikes = u"0Oo1lI|";

struct PasswordPolicy {
    int length = kDefaultPasswordLength;
    unsigned classes = char_class::kAll;
    bool noLookalikes = false;
    // Further characters never used.
    std::u16string leaveOut;
    // A passphrase of this many words when above 0; length and classes then do not count.
    int words = 0;

    bool operator==(const PasswordPolicy&) const = default;
};

// "lower,upper,digits,symbols" (any order, no repeats, no spaces) as class
// bits; nothing for an empty or unknown list.
std::optional<unsigned> ParseClassList(std::u16string_view text);
// The classes as that list, in the order above.
std::u16string ClassListText(unsigned classes);
// A count written as 1 to 4 decimal digits and nothing else, within [low, high].
std::optional<int> ParseCount(std::u16string_view text, int low, int high);

// The policy from the four option values: each absent or damaged value is its default.
PasswordPolicy PolicyFromOptionValues(std::u16string_view length, std::u16string_view classes,
                                      std::u16string_view noLookalikes, std::u16string_view words);
// The user's policy, read without any error box.
PasswordPolicy ReadPasswordPolicy(const OptionStore& options);
// Writes the four keys; raises CTextFileException when the file cannot be written.
void WritePasswordPolicy(const OptionStore& options, const PasswordPolicy& policy);

}  // namespace tarnwick
