// The layout's working state for one pass over a document: computed styles,
// intrinsic widths, and the block, inline and table algorithms that place
// every node (form_layout.cpp, inline_layout.cpp, table_layout.cpp).
#pragma once

#include <unordered_map>
#include <vector>

#include "htmlform/computed_style.h"
#include "htmlform/document.h"

namespace tarnwick::htmlform {

// The narrowest and the widest a content can be laid out.
struct Intrinsic {
    int min = 0;
    int max = 0;
};

// A piece of inline content: a word, a space, a control or a line break.
struct InlineAtom {
    enum class Kind { Word, Space, Control, Break };
    Kind kind = Kind::Word;
    Node* node = nullptr;  // the text node, the control or the <br>
    std::u16string text;   // a word's text
    FontSpec font;
    int width = 0;
    int height = 0;
    int marginLeft = 0;
    int marginRight = 0;
    // Placed by the line breaker:
    int x = 0;
    int y = 0;
    int line = -1;  // -1: dropped (a space at a line's edge)
};

// An inline element spans atoms [first, last).
struct InlineSpan {
    Element* element = nullptr;
    std::size_t first = 0;
    std::size_t last = 0;
};

class LayoutEngine {
public:
    LayoutEngine(Document& document, TextMeasure& measure);

    PageSize run(int viewportWidth);

    // Block flow ---------------------------------------------------------------
    const ComputedStyle& style(const Element& element);
    bool isBlockLevel(const Element& element);
    // Lays out a block-level element with its margin box at (x, y) in a
    // containing block `available` wide; returns its margin box height.
    int layoutBlockLevel(Element& element, int x, int y, int available);
    // Lays out the children of `element` in the content box at (x, y), `width`
    // wide; returns the content height.
    int layoutContents(Element& element, int x, int y, int width);
    Intrinsic intrinsicContents(Element& element);
    Intrinsic intrinsicOuter(Element& element);

    // Inline ------------------------------------------------------------------
    void collectAtoms(Node& node, std::vector<InlineAtom>& atoms, std::vector<InlineSpan>& spans);
    int layoutInline(std::vector<InlineAtom>& atoms, std::vector<InlineSpan>& spans, TextAlign align, int x, int y,
                     int width, const FontSpec& font);
    Intrinsic intrinsicInline(const std::vector<InlineAtom>& atoms);

    // Tables ------------------------------------------------------------------
    int layoutTable(Element& table, int x, int y, int available);
    Intrinsic intrinsicTable(Element& table);

    // Moves a laid-out subtree.
    static void shift(Node& node, int dx, int dy);
    TextMeasure& measure() { return measure_; }

private:
    Document& document_;
    TextMeasure& measure_;
    const StyleSheet& sheet_;
    // Numbers this pass's styles and block levels kept in the elements.
    const unsigned pass_;
    std::unordered_map<const Element*, Intrinsic> intrinsics_;
};

}  // namespace tarnwick::htmlform
