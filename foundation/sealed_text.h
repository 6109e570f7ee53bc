// Sealed text: a value encrypted with Blowfish (ECB, 16-byte key) and written as
// signed decimal byte values; and the check text, an MD5 digest in the same
// decimal style, that ends every card file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/blowfish_cipher.h"
#include "platform/code_page.h"

namespace tarnwick {

// Key modes. Mode 0's key is the prefix below followed by the first 8 narrow
// bytes of CurrentPrimaryPassword(); a shorter password is padded with zero
// bytes. Modes 1 and 2 have fixed keys.
inline constexpr int KeyModeUser = 0;    // protected cards
inline constexpr int KeyModeCommon = 1;  // unprotected cards, markers, the first passcard line
inline constexpr int KeyModeOption = 2;  // the remembered password in the option file

// The first half of the user key; the same in every program of the system.
inline constexpr char kUserKeyPrefix[] = "vellmarn";

// The one algorithm name that encrypts; any other seals and unseals zero bytes.
inline constexpr char16_t kAlgorithmBlowfish[] = u"Blowfish";

// Narrow forms go through the code page's thread ANSI code page; the short
// forms use NativeCodePage(). A key mode other than 0, 1 and 2 throws
// std::invalid_argument.
std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode, const CodePage& codePage);
std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode);

// Never throws for damaged input: fewer than 8 numbers give the empty text, a
// trailing incomplete group of 8 is ignored, and each number counts by the low
// 8 bits of its strtol value (a 32-bit long, so out-of-range numbers saturate).
std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode,
                          const CodePage& codePage);
std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode);

// Blowfish unsealing of many lines, a card's, as UnsealText does it line by
// line, but with the user key's schedule looked up once: copied at the first
// line that needs it (no lock is held meanwhile) and wiped when the unsealer
// is dropped.
class Unsealer {
public:
    explicit Unsealer(const CodePage& codePage = NativeCodePage());
    ~Unsealer();
    Unsealer(const Unsealer&) = delete;
    Unsealer& operator=(const Unsealer&) = delete;

    std::u16string operator()(std::u16string_view sealed, int keyMode);
    // The lines of `sealed` from `first` on, all under one key, each as the
    // call above gives it, put in the texts `into` points to, one per line
    // (those past the last line are left as they are). A text's old
    // characters are wiped and its buffer kept where the new text fits. The
    // blocks go through the cipher in one run, so that the short lines of a
    // card are decrypted several blocks at a time.
    void lines(const std::vector<std::u16string>& sealed, std::size_t first, const std::vector<std::u16string*>& into,
               int keyMode);

private:
    const CBlowfishCipher& cipher(int keyMode);

    const CodePage& codePage_;
    std::optional<CBlowfishCipher> user_;
};

// 32 numbers: the character codes of the upper-case hex MD5 digest of the narrow text.
std::u16string MakeCheckText(std::u16string_view text, const CodePage& codePage);
std::u16string MakeCheckText(std::u16string_view text);
// The same decimal form of a digest already made.
std::u16string CheckTextOfDigest(const std::array<std::uint8_t, 16>& digest);

}  // namespace tarnwick
