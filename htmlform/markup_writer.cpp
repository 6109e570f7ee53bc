#include "htmlform/markup_writer.h"

#include "htmlform/element.h"
#include "htmlform/html_escape.h"

namespace tarnwick::htmlform {

bool IsVoidElement(std::u16string_view tag) {
    constexpr std::u16string_view kVoid[] = {u"area",  u"base",  u"br",       u"col",     u"embed", u"hr",
                                             u"img",   u"input", u"link",     u"meta",    u"param", u"source",
                                             u"track", u"wbr",   u"basefont", u"bgsound", u"frame", u"keygen"};
    for (std::u16string_view v : kVoid)
        if (tag == v) return true;
    return false;
}

bool IsRawTextElement(std::u16string_view tag) {
    return tag == u"script" || tag == u"style" || tag == u"xmp" || tag == u"noframes" || tag == u"noembed" ||
           tag == u"iframe";
}

bool IsEscapableRawTextElement(std::u16string_view tag) { return tag == u"title" || tag == u"textarea"; }

void WriteMarkup(const Node& node, std::u16string& out) {
    if (const TextNode* text = node.asText()) {
        const Element* parent = text->parentElement();
        if (parent && IsRawTextElement(parent->localName())) out += text->data();
        else out += EscapeText(text->data());
        return;
    }
    const Element& element = *node.asElement();
    out += u'<';
    out += element.localName();
    for (const Attribute& attribute : element.attributes()) {
        out += u' ';
        out += attribute.name;
        out += u"=\"";
        out += EscapeAttribute(attribute.value);
        out += u'"';
    }
    out += u'>';
    if (IsVoidElement(element.localName())) return;
    for (const auto& child : element.childNodes()) WriteMarkup(*child, out);
    out += u"</";
    out += element.localName();
    out += u'>';
}

}  // namespace tarnwick::htmlform
