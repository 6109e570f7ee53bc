#include "htmlform/win32/page_border.h"

#include "htmlform/element.h"
#include "htmlform/style_sheet.h"

namespace tarnwick {
namespace {

int hexDigit(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

// The first "#rrggbb" in a declaration's value ("1px solid #808080").
std::optional<COLORREF> hexColour(const std::u16string& value) {
    for (std::size_t at = value.find(u'#'); at != std::u16string::npos; at = value.find(u'#', at + 1)) {
        if (at + 7 > value.size()) break;
        int channels[3] = {};
        bool valid = true;
        for (int i = 0; i < 3 && valid; ++i) {
            const int high = hexDigit(value[at + 1 + 2 * i]);
            const int low = hexDigit(value[at + 2 + 2 * i]);
            valid = high >= 0 && low >= 0;
            channels[i] = high * 16 + low;
        }
        if (valid) return RGB(channels[0], channels[1], channels[2]);
    }
    return std::nullopt;
}

COLORREF borderColour(const htmlform::Element& element, const htmlform::StyleSheet& sheet) {
    COLORREF colour = RGB(0, 0, 0);  // a border of no colour is drawn in the text's black
    for (const htmlform::StyleDeclaration* declaration : sheet.matching(element)) {
        if (declaration->property != u"border" && declaration->property != u"border-color") continue;
        if (const auto found = hexColour(declaration->value)) colour = *found;
    }
    return colour;
}

}  // namespace

std::optional<PageBorder> BodyBorder(const htmlform::Document& document) {
    const htmlform::Element* body = document.body();
    const htmlform::Element& root = document.documentElement();
    if (body == nullptr || !body->layoutBox().rendered || body->parentElement() != &root) return std::nullopt;
    const htmlform::ComputedStyle rootStyle =
        htmlform::ComputeStyle(root, htmlform::RootStyle(), document.styleSheet());
    const htmlform::ComputedStyle style = htmlform::ComputeStyle(*body, rootStyle, document.styleSheet());
    if (style.border.horizontal() + style.border.vertical() == 0) return std::nullopt;
    return PageBorder{body->layoutBox().rect, style.border, borderColour(*body, document.styleSheet())};
}

void PaintPageBorder(HDC dc, const PageBorder& border, POINT scroll) {
    HBRUSH brush = CreateSolidBrush(border.colour);
    const RECT outer{border.rect.x - scroll.x, border.rect.y - scroll.y, border.rect.right() - scroll.x,
                     border.rect.bottom() - scroll.y};
    const RECT sides[] = {
        {outer.left, outer.top, outer.right, outer.top + border.widths.top},
        {outer.left, outer.bottom - border.widths.bottom, outer.right, outer.bottom},
        {outer.left, outer.top, outer.left + border.widths.left, outer.bottom},
        {outer.right - border.widths.right, outer.top, outer.right, outer.bottom},
    };
    for (const RECT& side : sides) FillRect(dc, &side, brush);
    DeleteObject(brush);
}

}  // namespace tarnwick
