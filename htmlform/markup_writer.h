// Serialises nodes back to markup (innerHTML's getter): texts and attribute
// values escaped, the raw-text elements' content as it stands, no end tag for
// void elements.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::htmlform {

class Node;

void WriteMarkup(const Node& node, std::u16string& out);

// Elements that never have content (br, input, meta, ...).
bool IsVoidElement(std::u16string_view lowerTag);
// Elements whose content is raw text up to their end tag (script, style).
bool IsRawTextElement(std::u16string_view lowerTag);
// Elements whose content is text with character references (title, textarea).
bool IsEscapableRawTextElement(std::u16string_view lowerTag);

}  // namespace tarnwick::htmlform
