#include "htmlform/computed_style.h"

#include <algorithm>
#include <string>

#include "htmlform/ascii_text.h"
#include "htmlform/element.h"
#include "htmlform/style_sheet.h"

namespace tarnwick::htmlform {
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
    if (IsOneOf(tag, {u"head", u"script", u"style", u"title", u"meta", u"link", u"base", u"option", u"optgroup",
                      u"template", u"noscript", u"colgroup", u"col", u"caption"}))
        return Display::None;
    if (element.isInput()) return element.type() == u"hidden" ? Display::None : Display::Control;
    if (element.isSelect() || tag == u"textarea" || tag == u"button") return Display::Control;
    if (tag == u"table") return Display::Table;
    if (IsOneOf(tag, {u"tbody", u"thead", u"tfoot"})) return Display::RowGroup;
    if (tag == u"tr") return Display::Row;
    if (tag == u"td" || tag == u"th") return Display::Cell;
    if (IsOneOf(tag, {u"html",       u"body",    u"div", u"p",  u"form", u"ul", u"ol",      u"li",
                      u"h1",         u"h2",      u"h3",  u"h4", u"h5",   u"h6", u"center",  u"pre",
                      u"blockquote", u"address", u"dl",  u"dt", u"dd",   u"hr", u"fieldset"}))
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
    if (unit.empty() || unit == u"px") return static_cast<int>(number + 0.5);
    if (unit == u"pt") return static_cast<int>(number * 4 / 3 + 0.5);
    if (unit == u"em") return static_cast<int>(number * em + 0.5);
    if (unit == u"%") return static_cast<int>(number * em / 100 + 0.5);
    return -1;
}

int FontSizeKeyword(std::u16string_view value) {
    constexpr std::pair<std::u16string_view, int> kSizes[] = {{u"xx-small", 9}, {u"x-small", 10}, {u"small", 13},
                                                              {u"medium", 16},  {u"large", 18},   {u"x-large", 24},
                                                              {u"xx-large", 32}};
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
        int px = word == u"auto" ? 0 : ParsePixels(word, em);
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
    if (lower.find(u"none") != std::u16string::npos || lower.find(u"hidden") != std::u16string::npos) return 0;
    std::size_t i = 0;
    int width = -1;
    bool styled = false;
    while (i < lower.size()) {
        while (i < lower.size() && IsHtmlSpace(lower[i])) ++i;
        std::size_t start = i;
        while (i < lower.size() && !IsHtmlSpace(lower[i])) ++i;
        std::u16string_view word = std::u16string_view(lower).substr(start, i - start);
        if (word == u"thin") width = 1;
        else if (word == u"medium") width = 3;
        else if (word == u"thick") width = 5;
        else if (int px = ParsePixels(word, em); px >= 0 && !word.empty()) width = px;
        else if (IsOneOf(word, {u"solid", u"dotted", u"dashed", u"double", u"groove", u"ridge", u"inset", u"outset"}))
            styled = true;
    }
    if (width < 0) width = styled ? 3 : 0;
    return width;
}

bool IsBoldWeight(std::u16string_view value, bool inherited) {
    if (value == u"bold" || value == u"bolder") return true;
    if (value == u"normal" || value == u"lighter") return false;
    if (value.size() == 3 && IsAsciiDigit(value[0])) return value[0] >= u'6';
    return inherited;
}

TextAlign ParseAlign(std::u16string_view value, TextAlign fallback) {
    std::u16string lower = LowerAscii(TrimHtmlSpace(value));
    if (lower == u"left" || lower == u"start") return TextAlign::Left;
    if (lower == u"right" || lower == u"end") return TextAlign::Right;
    if (lower == u"center" || lower == u"middle") return TextAlign::Center;
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
        if (word == u"bold" || word == u"bolder" || word == u"normal") style.font.bold = IsBoldWeight(word, false);
        else if (int px = ParsePixels(word, parentPx); px > 0 && IsAsciiDigit(word[0])) style.font.sizePx = px;
    }
}

void ApplyDeclaration(const std::u16string& property, const std::u16string& written, ComputedStyle& style,
                      const ComputedStyle& parent, const Element& element) {
    if (property == u"font-family" || property == u"color" || property == u"cursor" || property == u"overflow") return;
    std::u16string value = LowerAscii(written);
    int em = style.font.sizePx;
    if (property == u"display") {
        if (value == u"none") style.display = Display::None;
        else if (style.display == Display::None && DefaultDisplay(element) != Display::None)
            style.display = DefaultDisplay(element);
        else if (value == u"inline" && style.display == Display::Block) style.display = Display::Inline;
        else if (value == u"block" && style.display == Display::Inline) style.display = Display::Block;
        // A table shown with "block" stays a table, as the pages mean it.
    } else if (property == u"font-size") {
        int px = FontSizeKeyword(value);
        if (px < 0) px = ParsePixels(value, parent.font.sizePx);
        if (px > 0) style.font.sizePx = std::min(px, 400);
    } else if (property == u"font-weight") {
        style.font.bold = IsBoldWeight(value, parent.font.bold);
    } else if (property == u"font") {
        ApplyFontShorthand(value, style, parent.font.sizePx);
    } else if (property == u"text-align") {
        style.align = ParseAlign(value, style.align);
    } else if (property == u"margin") {
        ParseEdges(value, em, style.margin);
    } else if (property == u"margin-top" || property == u"margin-bottom" || property == u"margin-left" ||
               property == u"margin-right" || property == u"padding-top" || property == u"padding-bottom" ||
               property == u"padding-left" || property == u"padding-right") {
        int px = std::max(0, ParsePixels(value, em));
        Edges& edges = property[0] == u'm' ? style.margin : style.padding;
        if (property.ends_with(u"top")) edges.top = px;
        else if (property.ends_with(u"bottom")) edges.bottom = px;
        else if (property.ends_with(u"left")) edges.left = px;
        else edges.right = px;
        if (property[0] == u'p') style.paddingSet = true;
    } else if (property == u"padding") {
        if (ParseEdges(value, em, style.padding)) style.paddingSet = true;
    } else if (property == u"border") {
        int width = BorderWidth(value, em);
        style.border = {width, width, width, width};
    } else if (property == u"border-width") {
        ParseEdges(value, em, style.border);
    } else if (property == u"width") {
        Length length = ParseLength(value);
        if (length.set) style.width = length;
    } else if (property == u"border-collapse") {
        style.borderCollapse = value == u"collapse";
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
    if (unit == u"%") length.percent = true;
    else if (!unit.empty() && unit != u"px") return length;
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
    if (IsOneOf(tag, {u"b", u"strong", u"th", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6"})) style.font.bold = true;
    if (tag == u"th") style.align = TextAlign::Center;
    if (tag == u"center") style.align = TextAlign::Center;
    if (tag == u"body") style.margin = {kBodyMarginPx, kBodyMarginPx, kBodyMarginPx, kBodyMarginPx};
    if (tag == u"p") style.margin.top = style.margin.bottom = style.font.sizePx;
    if (element.isInput() && (element.type() == u"radio" || element.type() == u"checkbox")) style.margin = {3, 3, 0, 5};
    // Presentational attributes, weaker than any style rule.
    if (tag == u"td" || tag == u"th" || tag == u"div" || tag == u"p" || tag == u"tr" || IsOneOf(tag, {u"h1", u"h2"})) {
        if (const std::u16string* align = element.findAttribute(u"align"))
            style.align = ParseAlign(*align, style.align);
    }
    if (tag == u"table") {
        if (const std::u16string* align = element.findAttribute(u"align"))
            style.centred = ParseAlign(*align, TextAlign::Left) == TextAlign::Center;
        style.align = TextAlign::Left;
    }
    if (tag == u"table" || tag == u"td" || tag == u"th")
        if (const std::u16string* width = element.findAttribute(u"width")) style.width = ParseLength(*width);
    if (tag == u"table") {
        if (const std::u16string* border = element.findAttribute(u"border")) {
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
