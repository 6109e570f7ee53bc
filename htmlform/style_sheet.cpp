#include "htmlform/style_sheet.h"

#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/element.h"

namespace tarnwick::htmlform {
namespace {

// The text without /* comments */ and the <!-- --> that old pages wrap styles in.
std::u16string StripComments(std::u16string_view css) {
    std::u16string out;
    for (std::size_t i = 0; i < css.size();) {
        if (css.substr(i, 2) == u"/*") {
            std::size_t end = css.find(u"*/", i + 2);
            i = end == std::u16string_view::npos ? css.size() : end + 2;
            out += u' ';
        } else if (css.substr(i, 4) == u"<!--") {
            i += 4;
        } else if (css.substr(i, 3) == u"-->") {
            i += 3;
        } else {
            out += css[i++];
        }
    }
    return out;
}

bool IsNameChar(char16_t c) { return IsAsciiAlpha(c) || IsAsciiDigit(c) || c == u'-' || c == u'_' || c >= 0x80; }

// One simple selector, or nothing when it is one this sheet does not support.
bool ParseSelector(std::u16string_view text, StyleSelector& selector) {
    text = TrimHtmlSpace(text);
    if (text.empty()) return false;
    std::size_t i = 0;
    if (text[0] == u'*') {
        i = 1;
    } else {
        while (i < text.size() && IsNameChar(text[i])) ++i;
        selector.tag = LowerAscii(text.substr(0, i));
    }
    while (i < text.size()) {
        char16_t mark = text[i++];
        std::size_t start = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        if (start == i) return false;
        std::u16string name(text.substr(start, i - start));
        if (mark == u'.' && selector.className.empty()) selector.className = name;
        else if (mark == u'#' && selector.id.empty()) selector.id = name;
        else return false;
    }
    return true;
}

bool HasClass(const Element& element, std::u16string_view className) {
    const std::u16string* attribute = element.findAttribute(u"class");
    if (!attribute) return false;
    const std::u16string& classes = *attribute;
    std::size_t i = 0;
    while (i < classes.size()) {
        while (i < classes.size() && IsHtmlSpace(classes[i])) ++i;
        std::size_t start = i;
        while (i < classes.size() && !IsHtmlSpace(classes[i])) ++i;
        if (i > start && std::u16string_view(classes).substr(start, i - start) == className) return true;
    }
    return false;
}

// The end of a block that starts at `open` (a '{'), nested blocks included.
std::size_t BlockEnd(std::u16string_view css, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < css.size(); ++i) {
        if (css[i] == u'{') ++depth;
        if (css[i] == u'}' && --depth == 0) return i;
    }
    return css.size();
}

}  // namespace

int StyleSelector::specificity() const {
    return (id.empty() ? 0 : 100) + (className.empty() ? 0 : 10) + (tag.empty() ? 0 : 1);
}

bool StyleSelector::matches(const Element& element) const {
    if (!tag.empty() && element.localName() != tag) return false;
    if (!id.empty()) {
        const std::u16string* own = element.findAttribute(u"id");
        if (!own || *own != id) return false;
    }
    return className.empty() || HasClass(element, className);
}

std::vector<StyleDeclaration> ParseDeclarations(std::u16string_view text) {
    std::vector<StyleDeclaration> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        char16_t quote = 0;
        for (; end < text.size(); ++end) {
            char16_t c = text[end];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u';') {
                break;
            }
        }
        std::u16string_view declaration = text.substr(start, end - start);
        start = end + 1;
        std::size_t colon = declaration.find(u':');
        if (colon == std::u16string_view::npos) continue;
        std::u16string property = LowerAscii(TrimHtmlSpace(declaration.substr(0, colon)));
        std::u16string_view value = TrimHtmlSpace(declaration.substr(colon + 1));
        std::size_t important = LowerAscii(value).find(u"!important");
        if (important != std::u16string::npos) value = TrimHtmlSpace(value.substr(0, important));
        if (!property.empty()) out.push_back({std::move(property), std::u16string(value)});
    }
    return out;
}

void StyleSheet::append(std::u16string_view cssText) {
    std::u16string css = StripComments(cssText);
    std::u16string_view rest(css);
    while (true) {
        std::size_t open = rest.find(u'{');
        if (open == std::u16string_view::npos) return sortRules();
        std::u16string_view prelude = TrimHtmlSpace(rest.substr(0, open));
        std::size_t close = BlockEnd(rest, open);
        std::u16string_view body = rest.substr(open + 1, (close > open ? close - open - 1 : 0));
        rest = close < rest.size() ? rest.substr(close + 1) : std::u16string_view();
        if (!prelude.empty() && prelude[0] == u'@') continue;  // @media and friends are not for forms
        std::vector<StyleDeclaration> declarations = ParseDeclarations(body);
        std::size_t from = 0;
        while (from <= prelude.size()) {
            std::size_t comma = prelude.find(u',', from);
            if (comma == std::u16string_view::npos) comma = prelude.size();
            StyleSelector selector;
            if (ParseSelector(prelude.substr(from, comma - from), selector))
                rules_.push_back({std::move(selector), declarations});
            from = comma + 1;
        }
    }
}

void StyleSheet::sortRules() {
    bySpecificity_.clear();
    for (const StyleRule& rule : rules_) bySpecificity_.push_back(&rule);
    std::stable_sort(bySpecificity_.begin(), bySpecificity_.end(), [](const StyleRule* a, const StyleRule* b) {
        return a->selector.specificity() < b->selector.specificity();
    });
}

std::vector<const StyleDeclaration*> StyleSheet::matching(const Element& element) const {
    std::vector<const StyleDeclaration*> out;
    forEachMatching(element, [&](const StyleDeclaration& declaration) { out.push_back(&declaration); });
    return out;
}

}  // namespace tarnwick::htmlform
