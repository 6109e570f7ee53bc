// UTF-8 <-> UTF-16 for the edges of the system: command lines, console output,
// host file names. Malformed input becomes U+FFFD; it never throws.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

std::u16string Utf8ToUtf16(std::string_view utf8);
// Surrogate pairs become one 4-byte sequence; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace tarnwick
