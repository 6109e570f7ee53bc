// Sealed text: a value encrypted with Blowfish (ECB, 16-byte key) and written as
// signed decimal byte values; and the check text, an MD5 digest in the same
// decimal style, that ends every card file.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace tarnwick {

inline constexpr int KeyModeUser = 0;    // prefix + primary password
inline constexpr int KeyModeCommon = 1;  // unprotected cards, markers, match keys
inline constexpr int KeyModeOption = 2;  // the remembered password in the option file

// The first half of the user key; the same in every program of the system.
inline constexpr char kUserKeyPrefix[] = "vellmarn";

inline constexpr char16_t kAlgorithmBlowfish[] = u"Blowfish";

// Throws std::invalid_argument for a key mode other than 0, 1 and 2.
std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode,
                        const CodePage& codePage);
std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode);

// Never throws for damaged input: fewer than 8 numbers give the empty text.
std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode,
                          const CodePage& codePage);
std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode);

std::u16string MakeCheckText(std::u16string_view text, const CodePage& codePage);
std::u16string MakeCheckText(std::u16string_view text);

}  // namespace tarnwick
