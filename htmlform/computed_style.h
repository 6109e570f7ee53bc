// The style the layout uses for one element: its display, font, alignment,
// box edges and width, from the element's tag and presentational attributes,
// the page's style rules and its inline style, inheriting from its parent.
#pragma once

#include "htmlform/layout_box.h"
#include "htmlform/text_measure.h"

namespace tarnwick::htmlform {

class Element;
class StyleSheet;

enum class Display { None, Block, Inline, Table, RowGroup, Row, Cell, Control };

struct Edges {
    int top = 0;
    int right = 0;
    int bottom = 0;
    int left = 0;
    int horizontal() const { return left + right; }
    int vertical() const { return top + bottom; }
};

// A width as written: pixels or a percentage of the containing block.
struct Length {
    int value = 0;
    bool percent = false;
    bool set = false;
    int resolve(int base) const {
        long long pixels = percent ? static_cast<long long>(base) * value / 100 : value;
        return static_cast<int>(pixels > kMaxPixels ? kMaxPixels : pixels);
    }
    // No box is wider than this, whatever a page asks for.
    static constexpr int kMaxPixels = 1 << 20;
};

struct ComputedStyle {
    Display display = Display::Block;
    FontSpec font;
    TextAlign align = TextAlign::Left;
    Edges margin;
    Edges padding;
    bool paddingSet = false;  // by a style rule (a table's cellpadding gives way to it)
    Edges border;
    Length width;
    bool borderCollapse = false;
    bool centred = false;  // a table with align="center"
};

// A sum of pixels kept within what any box may measure.
inline int ClampPixels(long long pixels) {
    if (pixels > Length::kMaxPixels) return Length::kMaxPixels;
    if (pixels < -Length::kMaxPixels) return -Length::kMaxPixels;
    return static_cast<int>(pixels);
}

// The style of the page's root element.
ComputedStyle RootStyle();
ComputedStyle ComputeStyle(const Element& element, const ComputedStyle& parent, const StyleSheet& sheet);

// "12px", "50%", "120" (pixels), "0"; unset for anything else.
Length ParseLength(std::u16string_view text);

}  // namespace tarnwick::htmlform
