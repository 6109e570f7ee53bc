#include "generator/password_policy.h"

#include <array>

namespace tarnwick {
namespace {

struct ClassName {
    unsigned bit;
    std::u16string_view name;
};

constexpr std::array<ClassName, 4> kClassNames = {{
    {char_class::kLower, u"lower"},
    {char_class::kUpper, u"upper"},
    {char_class::kDigits, u"digits"},
    {char_class::kSymbols, u"symbols"},
}};

constexpr std::size_t kMaxCountDigits = 4;

std::optional<unsigned> classBit(std::u16string_view name) {
    for (const ClassName& entry : kClassNames) {
        if (entry.name == name) return entry.bit;
    }
    return std::nullopt;
}

}  // namespace

std::optional<unsigned> ParseClassList(std::u16string_view text) {
    unsigned classes = 0;
    while (true) {
        const std::size_t comma = text.find(u',');
        const auto bit = classBit(text.substr(0, comma));
        if (!bit || (classes & *bit) != 0) return std::nullopt;
        classes |= *bit;
        if (comma == std::u16string_view::npos) return classes;
        text.remove_prefix(comma + 1);
    }
}

std::u16string ClassListText(unsigned classes) {
    std::u16string text;
    for (const ClassName& entry : kClassNames) {
        if ((classes & entry.bit) == 0) continue;
        if (!text.empty()) text += u',';
        text += entry.name;
    }
    return text;
}

std::optional<int> ParseCount(std::u16string_view text, int low, int high) {
    if (text.empty() || text.size() > kMaxCountDigits) return std::nullopt;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

PasswordPolicy PolicyFromOptionValues(std::u16string_view length, std::u16string_view classes,
                                      std::u16string_view noLookalikes, std::u16string_view words) {
    PasswordPolicy policy;
    policy.length = ParseCount(length, 1, kMaxPasswordLength).value_or(kDefaultPasswordLength);
    policy.classes = ParseClassList(classes).value_or(char_class::kAll);
    policy.noLookalikes = noLookalikes == u"1";
    policy.words = ParseCount(words, 1, kMaxPassphraseWords).value_or(0);
    // A stored policy that could never be met (fewer characters than classes)
    // is damaged too: it falls back rather than refusing every time.
    int classCount = 0;
    for (const ClassName& entry : kClassNames) classCount += (policy.classes & entry.bit) != 0 ? 1 : 0;
    if (policy.length < classCount) policy.length = kDefaultPasswordLength;
    return policy;
}

PasswordPolicy ReadPasswordPolicy(const OptionStore& options) {
    return PolicyFromOptionValues(
        options.ReadOptionQuietly(option_key::kGenLength), options.ReadOptionQuietly(option_key::kGenClasses),
        options.ReadOptionQuietly(option_key::kGenNoLookalikes), options.ReadOptionQuietly(option_key::kGenWords));
}

void WritePasswordPolicy(const OptionStore& options, const PasswordPolicy& policy) {
    options.WriteInteger(option_key::kGenLength, policy.length);
    options.WriteOption(option_key::kGenClasses, ClassListText(policy.classes));
    options.WriteOption(option_key::kGenNoLookalikes, policy.noLookalikes ? u"1" : u"0");
    options.WriteInteger(option_key::kGenWords, policy.words);
}

}  // namespace tarnwick
