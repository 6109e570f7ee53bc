#include "htmlform/computed_style.h"

#include <algorithm>
#include <string>

#include "htmlform/ascii_text.h"
#include "htmlform/element.h"
#include "htmlform/style_sheet.h"

namespace tarnwick::htmlform {

using namespace std::string_view_literals;
namespace {

constexpr int kMediumFontPx = 16;
constexpr int kBodyMarginPx = 8;

bool IsOneOf(std::u16string_view tag, std::initializer_list<std::u16string_view> tags) {
    for (std::u16string_view t : tags)
        if (t == tag) return true;
    return false;
}

Display DefaultDisplay(const Element& element) {
    const std::u16string& tag = element.localName();
    if (IsOneOf(tag, {u"head"sv, u"script"sv, u"style"sv, u"title"sv, u"meta"sv, u"link"sv, u"base"sv, u"option"sv,
                      u"optgroup"sv, u"template"sv, u"noscript"sv, u"colgroup"sv, u"col"sv, u"caption"sv}))
        return Display::None;
    if (element.isInput()) return element.type() == u"hidden"sv ? Display::None : Display::Control;
    if (element.isSelect() || tag == u"textarea"sv || tag == u"button"sv) return Display::Control;
    if (tag == u"table"sv) return Display::Table;
    if (IsOneOf(tag, {u"tbody"sv, u"thead"sv, u"tfoot"sv})) return Display::RowGroup;
    if (tag == u"tr"sv) return Display::Row;
    if (tag == u"td"sv || tag == u"th"sv) return Display::Cell;
    if (IsOneOf(tag, {u"html"sv,       u"body"sv,    u"div"sv, u"p"sv,  u"form"sv, u"ul"sv, u"ol"sv,      u"li"sv,
                      u"h1"sv,         u"h2"sv,      u"h3"sv,  u"h4"sv, u"h5"sv,   u"h6"sv, u"center"sv,  u"pre"sv,
                      u"blockquote"sv, u"address"sv, u"dl"sv,  u"dt"sv, u"dd"sv,   u"hr"sv, u"fieldset"sv}))
        return Display::Block;
    return Display::Inline;
}

// An integer in pixels from "12px", "12", "9pt", "1.5em" (of `em`); -1 when unreadable.
int ParsePixels(std::u16string_view text, int em) {
    text = TrimHtmlSpace(text);
    std::size_t i = 0;
    double number = 0;
    bool digits = false;
    while (i < text.size() && IsAsciiDigit(text[i])) number = number * 10 + (text[i++] - u'0'), digits = true;
    if (i < text.size() && text[i] == u'.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsAsciiDigit(text[i]); ++i, scale /= 10)
            number += (text[i] - u'0') * scale, digits = true;
    }
    if (!digits) return -1;
    number = std::min(number, static_cast<double>(Length::kMaxPixels));
    std::u16string unit = LowerAscii(text.substr(i));
    if (unit.empty() || unit == u"px"sv) return static_cast<int>(number + 0.5);
    if (unit == u"pt"sv) return static_cast<int>(number * 4 / 3 + 0.5);
    if (unit == u"em"sv) return static_cast<int>(number * em + 0.5);
    if (unit == u"%"sv) return static_cast<int>(number * em / 100 + 0.5);
    return -1;
}

int FontSizeKeyword(std::u16string_view value) {
    constexpr std::pair<std::u16string_view, int> kSizes[] = {
        {u"xx-small"sv, 9}, {u"x-small"sv, 10}, {u"small"sv, 13},   {u"medium"sv, 16},
        {u"large"sv, 18},   {u"x-large"sv, 24}, {u"xx-large"sv, 32}};
    for (const auto& [name, px] : kSizes)
        if (value == name) return px;
    return -1;
}

// Up to four lengths: top, right, bottom, left as CSS spreads them.
bool ParseEdges(std::u16string_view value, int em, Edges& edges) {
    int parts[4];
    int count = 0;
    std::size_t i = 0;
    while (i < value.size() && count < 4) {
        while (i < value.size() && IsHtmlSpace(value[i])) ++i;
        std::size_t start = i;
        while (i < value.size() && !IsHtmlSpace(value[i])) ++i;
        if (start == i) break;
        std::u16string_view word = value.substr(start, i - start);
        int px = word == u"auto"sv ? 0 : ParsePixels(word, em);
        if (px < 0) return false;
        parts[count++] = px;
    }
    if (count == 0) return false;
    int top = parts[0], right = count > 1 ? parts[1] : top, bottom = count > 2 ? parts[2] : top,
        left = count > 3 ? parts[3] : right;
    edges = {top, right, bottom, left};
    return true;
}

// The width of a border shorthand ("1px solid #808080", "0", "none").
int BorderWidth(std::u16string_view value, int em) {
    std::u16string lower = LowerAscii(value);
    if (lower.find(u"none"sv) != std::u16string::npos || lower.find(u"hidden"sv) != std::u16string::npos) return 0;
    std::size_t i = 0;
    int width = -1;
    bool styled = false;
    while (i < lower.size()) {
        while (i < lower.size() && IsHtmlSpace(lower[i])) ++i;
        std::size_t start = i;
        while (i < lower.size() && !IsHtmlSpace(lower[i])) ++i;
        std::u16string_view word = std::u16string_view(lower).substr(start, i - start);
        if (word == u"thin"sv) width = 1;
        else if (word == u"medium"sv) width = 3;
        else if (word == u"thick"sv) width = 5;
        else if (int px = ParsePixels(word, em); px >= 0 && !word.empty()) width = px;
        else if (IsOneOf(word, {u"solid"sv, u"dotted"sv, u"dashed"sv, u"double"sv, u"groove"sv, u"ridge"sv, u"inset"sv,
                                u"outset"sv}))
            styled = true;
    }
    if (width < 0) width = styled ? 3 : 0;
    return width;
}

bool IsBoldWeight(std::u16string_view value, bool inherited) {
    if (value == u"bold"sv || value == u"bolder"sv) return true;
    if (value == u"normal"sv || value == u"lighter"sv) return false;
    if (value.size() == 3 && IsAsciiDigit(value[0])) return value[0] >= u'6';
    return inherited;
}

TextAlign ParseAlign(std::u16string_view value, TextAlign fallback) {
    std::u16string lower = LowerAscii(TrimHtmlSpace(value));
    if (lower == u"left"sv || lower == u"start"sv) return TextAlign::Left;
    if (lower == u"right"sv || lower == u"end"sv) return TextAlign::Right;
    if (lower == u"center"sv || lower == u"middle"sv) return TextAlign::Center;
    return fallback;
}

void ApplyFontShorthand(std::u16string_view value, ComputedStyle& style, int parentPx) {
    std::size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && IsHtmlSpace(value[i])) ++i;
        std::size_t start = i;
        while (i < value.size() && !IsHtmlSpace(value[i])) ++i;
        std::u16string word = LowerAscii(value.substr(start, i - start));
        std::size_t slash = word.find(u'/');
        if (slash != std::u16string::npos) word.resize(slash);
        if (word == u"bold"sv || word == u"bolder"sv || word == u"normal"sv)
            style.font.bold = IsBoldWeight(word, false);
        else if (int px = ParsePixels(word, parentPx); px > 0 && IsAsciiDigit(word[0])) style.font.sizePx = px;
    }
}

void ApplyDeclaration(const std::u16string& property, const std::u16string& written, ComputedStyle& style,
                      const ComputedStyle& parent, const Element& element) {
    if (property == u"font-family"sv || property == u"color"sv || property == u"cursor"sv || property == u"overflow"sv)
        return;
    std::u16string value = LowerAscii(written);
    int em = style.font.sizePx;
    if (property == u"display"sv) {
        if (value == u"none"sv) style.display = Display::None;
        else if (style.display == Display::None && DefaultDisplay(element) != Display::None)
            style.display = DefaultDisplay(element);
        else if (value == u"inline"sv && style.display == Display::Block) style.display = Display::Inline;
        else if (value == u"block"sv && style.display == Display::Inline) style.display = Display::Block;
        // A table shown with "block" stays a table, as the pages mean it.
    } else if (property == u"font-size"sv) {
        int px = FontSizeKeyword(value);
        if (px < 0) px = ParsePixels(value, parent.font.sizePx);
        if (px > 0) style.font.sizePx = std::min(px, 400);
    } else if (property == u"font-weight"sv) {
        style.font.bold = IsBoldWeight(value, parent.font.bold);
    } else if (property == u"font"sv) {
        ApplyFontShorthand(value, style, parent.font.sizePx);
    } else if (property == u"text-align"sv) {
        style.align = ParseAlign(value, style.align);
    } else if (property == u"margin"sv) {
        ParseEdges(value, em, style.margin);
    } else if (property == u"margin-top"sv || property == u"margin-bottom"sv || property == u"margin-left"sv ||
               property == u"margin-right"sv || property == u"padding-top"sv || property == u"padding-bottom"sv ||
               property == u"padding-left"sv || property == u"padding-right"sv) {
        int px = std::max(0, ParsePixels(value, em));
        Edges& edges = property[0] == u'm' ? style.margin : style.padding;
        if (property.ends_with(u"top"sv)) edges.top = px;
        else if (property.ends_with(u"bottom"sv)) edges.bottom = px;
        else if (property.ends_with(u"left"sv)) edges.left = px;
        else edges.right = px;
        if (property[0] == u'p') style.paddingSet = true;
    } else if (property == u"padding"sv) {
        if (ParseEdges(value, em, style.padding)) style.paddingSet = true;
    } else if (property == u"border"sv) {
        int width = BorderWidth(value, em);
        style.border = {width, width, width, width};
    } else if (property == u"border-width"sv) {
        ParseEdges(value, em, style.border);
    } else if (property == u"width"sv) {
        Length length = ParseLength(value);
        if (length.set) style.width = length;
    } else if (property == u"border-collapse"sv) {
        style.borderCollapse = value == u"collapse"sv;
    }
}

}  // namespace

Length ParseLength(std::u16string_view text) {
    text = TrimHtmlSpace(text);
    Length length;
    std::size_t i = 0;
    long value = 0;
    while (i < text.size() && IsAsciiDigit(text[i]) && value < 100000) value = value * 10 + (text[i++] - u'0');
    if (i == 0) return length;
    while (i < text.size() && (IsAsciiDigit(text[i]) || text[i] == u'.')) ++i;  // fractions dropped
    std::u16string unit = LowerAscii(text.substr(i));
    if (unit == u"%"sv) length.percent = true;
    else if (!unit.empty() && unit != u"px"sv) return length;
    length.value = static_cast<int>(value);
    length.set = true;
    return length;
}

ComputedStyle RootStyle() {
    ComputedStyle style;
    style.font = {kMediumFontPx, false};
    return style;
}

ComputedStyle ComputeStyle(const Element& element, const ComputedStyle& parent, const StyleSheet& sheet) {
    ComputedStyle style;
    const std::u16string& tag = element.localName();
    style.display = DefaultDisplay(element);
    style.font = parent.font;
    style.align = parent.align;
    if (IsOneOf(tag, {u"b"sv, u"strong"sv, u"th"sv, u"h1"sv, u"h2"sv, u"h3"sv, u"h4"sv, u"h5"sv, u"h6"sv}))
        style.font.bold = true;
    if (tag == u"th"sv) style.align = TextAlign::Center;
    if (tag == u"center"sv) style.align = TextAlign::Center;
    if (tag == u"body"sv) style.margin = {kBodyMarginPx, kBodyMarginPx, kBodyMarginPx, kBodyMarginPx};
    if (tag == u"p"sv) style.margin.top = style.margin.bottom = style.font.sizePx;
    if (element.isInput() && (element.type() == u"radio"sv || element.type() == u"checkbox"sv))
        style.margin = {3, 3, 0, 5};
    // Presentational attributes, weaker than any style rule.
    if (tag == u"td"sv || tag == u"th"sv || tag == u"div"sv || tag == u"p"sv || tag == u"tr"sv ||
        IsOneOf(tag, {u"h1"sv, u"h2"sv})) {
        if (const std::u16string* align = element.findAttribute(u"align"sv))
            style.align = ParseAlign(*align, style.align);
    }
    if (tag == u"table"sv) {
        if (const std::u16string* align = element.findAttribute(u"align"sv))
            style.centred = ParseAlign(*align, TextAlign::Left) == TextAlign::Center;
        style.align = TextAlign::Left;
    }
    if (tag == u"table"sv || tag == u"td"sv || tag == u"th"sv)
        if (const std::u16string* width = element.findAttribute(u"width"sv)) style.width = ParseLength(*width);
    if (tag == u"table"sv) {
        if (const std::u16string* border = element.findAttribute(u"border"sv)) {
            Length width = ParseLength(*border);
            int px = border->empty() ? 1 : (width.set && !width.percent ? std::min(width.value, 100) : 0);
            style.border = {px, px, px, px};
        }
    }
    sheet.forEachMatching(element, [&](const StyleDeclaration& declaration) {
        ApplyDeclaration(declaration.property, declaration.value, style, parent, element);
    });
    for (const auto& [property, value] : element.inlineDeclarations())
        ApplyDeclaration(property, value, style, parent, element);
    if (parent.display == Display::None) style.display = Display::None;
    return style;
}

}  // namespace tarnwick::htmlform
