#include "generator/password_generator.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "foundation/secure_zero.h"
#include "generator/word_list.h"

namespace tarnwick {
namespace {

constexpr std::array<unsigned, 4> kClassOrder = {char_class::kLower, char_class::kUpper, char_class::kDigits,
                                                 char_class::kSymbols};

constexpr std::u16string_view kLowerLetters = u"abcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kUpperLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::u16string_view kDigitChars = u"0123456789";
// Every printable ASCII character that is neither a letter, a digit nor the space.
constexpr std::u16string_view kSymbolChars = u"!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

std::u16string_view className(unsigned classBit) {
    switch (classBit) {
        case char_class::kLower:
            return u"lower-case letters";
        case char_class::kUpper:
            return u"capital letters";
        case char_class::kDigits:
            return u"digits";
        default:
            return u"symbols";
    }
}

bool leftOut(char16_t c, const PasswordPolicy& policy) {
    if (policy.noLookalikes && kLookalikes.find(c) != std::u16string_view::npos) return true;
    return policy.leaveOut.find(c) != std::u16string::npos;
}

int classCount(unsigned classes) {
    int count = 0;
    for (unsigned bit : kClassOrder) count += (classes & bit) != 0 ? 1 : 0;
    return count;
}

std::u16string number(int value) {
    std::u16string text;
    for (char c : std::to_string(value)) text += static_cast<char16_t>(c);
    return text;
}

// Fisher-Yates: each of the n! orders is equally likely.
void shuffle(std::u16string& text, UniformDraw& draw) {
    for (std::size_t i = text.size(); i > 1; --i) {
        const std::size_t j = draw.below(static_cast<std::uint32_t>(i));
        std::swap(text[i - 1], text[j]);
    }
}

std::u16string passphrase(int words, UniformDraw& draw) {
    const std::span<const std::string_view> list = PassphraseWords();
    std::u16string text;
    for (int i = 0; i < words; ++i) {
        if (i > 0) text += kPassphraseSeparator;
        for (char c : list[draw.below(static_cast<std::uint32_t>(list.size()))]) text += static_cast<char16_t>(c);
    }
    return text;
}

std::u16string characters(const PasswordPolicy& policy, UniformDraw& draw) {
    std::u16string all;
    std::u16string text;
    text.reserve(static_cast<std::size_t>(policy.length));
    // One of each chosen class first, the rest from them all, then shuffled so
    // that the first ones do not sit at the front.
    for (unsigned bit : kClassOrder) {
        if ((policy.classes & bit) == 0) continue;
        const std::u16string usable = UsableCharacters(bit, policy);
        text += usable[draw.below(static_cast<std::uint32_t>(usable.size()))];
        all += usable;
    }
    while (text.size() < static_cast<std::size_t>(policy.length)) {
        text += all[draw.below(static_cast<std::uint32_t>(all.size()))];
    }
    shuffle(text, draw);
    return text;
}

}  // namespace

std::u16string_view ClassAlphabet(unsigned classBit) {
    switch (classBit) {
        case char_class::kLower:
            return kLowerLetters;
        case char_class::kUpper:
            return kUpperLetters;
        case char_class::kDigits:
            return kDigitChars;
        case char_class::kSymbols:
            return kSymbolChars;
        default:
            return {};
    }
}

std::u16string UsableCharacters(unsigned classBit, const PasswordPolicy& policy) {
    std::u16string usable;
    for (char16_t c : ClassAlphabet(classBit)) {
        if (!leftOut(c, policy)) usable += c;
    }
    return usable;
}

std::u16string PolicyRefusal(const PasswordPolicy& policy) {
    if (policy.words != 0) {
        if (policy.words < 1 || policy.words > kMaxPassphraseWords) {
            return u"A passphrase has from 1 to " + number(kMaxPassphraseWords) + u" words.";
        }
        return {};
    }
    if (policy.length < 1 || policy.length > kMaxPasswordLength) {
        return u"A password has from 1 to " + number(kMaxPasswordLength) + u" characters.";
    }
    if ((policy.classes & char_class::kAll) == 0 || (policy.classes & ~char_class::kAll) != 0) {
        return u"Choose at least one kind of character: lower-case letters, capital letters, digits or symbols.";
    }
    const int count = classCount(policy.classes);
    if (policy.length < count) {
        return u"A password of " + number(policy.length) + u" characters cannot hold one of each of the " +
               number(count) + u" kinds chosen.";
    }
    for (unsigned bit : kClassOrder) {
        if ((policy.classes & bit) != 0 && UsableCharacters(bit, policy).empty()) {
            return u"Every one of the " + std::u16string(className(bit)) + u" is left out.";
        }
    }
    return {};
}

GeneratedPassword GeneratePassword(const PasswordPolicy& policy, RandomSource& random) {
    GeneratedPassword result;
    result.refusal = PolicyRefusal(policy);
    if (!result.refusal.empty()) return result;
    UniformDraw draw(random);
    result.text = policy.words > 0 ? passphrase(policy.words, draw) : characters(policy, draw);
    return result;
}

UniformDraw::~UniformDraw() { SecureZero(block_, sizeof(block_)); }

std::uint32_t UniformDraw::next32() {
    if (used_ + 4 > sizeof(block_)) {
        random_.fill(block_);
        used_ = 0;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | block_[used_++];
    return value;
}

std::uint32_t UniformDraw::below(std::uint32_t bound) {
    // Values at or above the largest multiple of `bound` would favour the low
    // indices: they are drawn again. 2^32 mod bound is (2^32 - bound) mod bound.
    const std::uint32_t excess = (0u - bound) % bound;
    const std::uint32_t limit = 0u - excess;  // 0 stands for 2^32 when nothing is in excess
    for (;;) {
        const std::uint32_t value = next32();
        if (excess == 0 || value < limit) return value % bound;
    }
}

}  // namespace tarnwick
