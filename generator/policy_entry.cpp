#include "generator/policy_entry.h"

#include "generator/password_generator.h"

namespace tarnwick {
namespace {

std::u16string number(int value) {
    std::u16string text;
    for (char c : std::to_string(value)) text += static_cast<char16_t>(c);
    return text;
}

}  // namespace

PolicyEntry EntryOfPolicy(const PasswordPolicy& policy) {
    PolicyEntry entry;
    entry.length = number(policy.length);
    entry.classes = policy.classes;
    entry.noLookalikes = policy.noLookalikes;
    entry.useWords = policy.words > 0;
    entry.words = number(policy.words > 0 ? policy.words : 4);
    return entry;
}

PolicyEntryResult AcceptPolicyEntry(const PolicyEntry& entry) {
    PolicyEntryResult result;
    PasswordPolicy& policy = result.policy;
    policy.classes = entry.classes;
    policy.noLookalikes = entry.noLookalikes;
    if (entry.useWords) {
        const auto words = ParseCount(entry.words, 1, kMaxPassphraseWords);
        if (!words) {
            result.refusal = u"The number of words must be from 1 to " + number(kMaxPassphraseWords) + u".";
            return result;
        }
        policy.words = *words;
        // The character settings are kept for later, but only when they are sound.
        policy.length = ParseCount(entry.length, 1, kMaxPasswordLength).value_or(kDefaultPasswordLength);
        if ((policy.classes & char_class::kAll) == 0) policy.classes = char_class::kAll;
        return result;
    }
    const auto length = ParseCount(entry.length, 1, kMaxPasswordLength);
    if (!length) {
        result.refusal = u"The length must be a number from 1 to " + number(kMaxPasswordLength) + u".";
        return result;
    }
    policy.length = *length;
    result.refusal = PolicyRefusal(policy);
    return result;
}

}  // namespace tarnwick
