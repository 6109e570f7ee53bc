// The HTML parser of the form document. It follows a browser's rules for the
// markup Tarnwick writes: tags and attribute names in any case; quoted,
// unquoted and spaced attributes; "/>"; named, decimal and hexadecimal
// character references; rows and cells closed by the next row or the table's
// end; cells placed directly in a table; options closed by the next option;
// style, script, title and textarea kept as text. Broken markup never stops it
// and never loses the text around it. CR LF and lone CR in the markup become
// LF (references keep them); NUL and lone surrogates are kept as they are.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::htmlform {

class Document;
class Element;
class Node;

// Parses a whole page into `document`, whose body must be empty.
void ParseDocumentInto(Document& document, std::u16string_view html);

// Parses markup as if it were the content of `context` (what innerHTML and
// insertAdjacentHTML do): the nodes made, not yet in the tree.
std::vector<std::unique_ptr<Node>> ParseFragment(Document& document, const Element& context, std::u16string_view html);

// The code point of a named character reference ("amp" gives '&'), 0 when unknown.
char32_t NamedCharacter(std::u16string_view name);

// A page file's bytes as text: UTF-16 with its byte-order mark, else UTF-8
// (a mark skipped; bytes that are not UTF-8 become U+FFFD).
std::u16string DecodePageBytes(std::string_view bytes);

}  // namespace tarnwick::htmlform
