#include "htmlform/html_escape.h"

namespace tarnwick::htmlform {
namespace {

// The reference for a code unit that must not stand in the markup, or empty.
std::u16string_view TextReference(char16_t c) {
    switch (c) {
        case u'&':
            return u"&amp;";
        case u'<':
            return u"&lt;";
        case u'>':
            return u"&gt;";
        case u'\r':
            return u"&#13;";
        default:
            return {};
    }
}

std::u16string_view AttributeReference(char16_t c) {
    switch (c) {
        case u'"':
            return u"&quot;";
        case u'\'':
            return u"&#39;";
        case u'\n':
            return u"&#10;";
        case u'\t':
            return u"&#9;";
        default:
            return TextReference(c);
    }
}

template <typename Reference>
std::u16string Escape(std::u16string_view text, Reference reference) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (char16_t c : text) {
        std::u16string_view ref = reference(c);
        if (ref.empty()) out.push_back(c);
        else out.append(ref);
    }
    return out;
}

}  // namespace

std::u16string EscapeText(std::u16string_view text) { return Escape(text, TextReference); }

std::u16string EscapeAttribute(std::u16string_view value) { return Escape(value, AttributeReference); }

}  // namespace tarnwick::htmlform
