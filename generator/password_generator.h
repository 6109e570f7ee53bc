// Passwords and passphrases drawn from a RandomSource. Every choice is uniform:
// an index is drawn by rejection, never by a bare modulo, and the characters
// that stand for the chosen classes are shuffled into uniform places. Only
// printable ASCII is used, which every Windows code page holds, so a card can
// always store what was generated.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "generator/password_policy.h"
#include "platform/random_source.h"

namespace tarnwick {

// The characters of one class (a char_class bit) before anything is left out.
std::u16string_view ClassAlphabet(unsigned classBit);
// The characters of one class the policy lets a password use.
std::u16string UsableCharacters(unsigned classBit, const PasswordPolicy& policy);

// Why the policy cannot be met, in words for the user; empty when it can.
std::u16string PolicyRefusal(const PasswordPolicy& policy);

struct GeneratedPassword {
    std::u16string text;
    // Set, and the text empty, when the policy was refused.
    std::u16string refusal;
};

// A password (or passphrase) by the policy. Raises std::runtime_error when the
// random source fails.
GeneratedPassword GeneratePassword(const PasswordPolicy& policy, RandomSource& random);

// Draws bytes from a source in blocks and hands out uniform indices.
class UniformDraw {
public:
    explicit UniformDraw(RandomSource& random) : random_(random) {}
    ~UniformDraw();
    UniformDraw(const UniformDraw&) = delete;
    UniformDraw& operator=(const UniformDraw&) = delete;

    // Uniform in [0, bound); bound must be above 0.
    std::uint32_t below(std::uint32_t bound);

private:
    std::uint32_t next32();

    RandomSource& random_;
    std::uint8_t block_[256] = {};
    std::size_t used_ = sizeof(block_);
};

// Words joined by this in a passphrase.
inline constexpr char16_t kPassphraseSeparator = u'-';

}  // namespace tarnwick
