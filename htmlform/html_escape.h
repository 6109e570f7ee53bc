// Escaping of the texts that Tarnwick writes into generated markup. Parsed
// back by the form document, an escaped text gives exactly the code units it
// was made from, every one of the 65,536 included: the markup characters
// become references, CR, LF and TAB in attribute values become numeric
// references (raw ones would be normalised as browsers do), and everything
// else, NUL and lone surrogates included, is written as it stands.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::htmlform {

// For element content: & < > and CR (which the parser would turn into LF).
std::u16string EscapeText(std::u16string_view text);

// For an attribute value inside double or single quotes: & < > " ' and CR, LF, TAB.
std::u16string EscapeAttribute(std::u16string_view value);

}  // namespace tarnwick::htmlform
