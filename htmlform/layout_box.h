// Where the layout put a node: its rectangle in page coordinates (the page's
// top-left corner is 0,0), its font, and for a text node the pieces it was
// broken into, one per line, with white space collapsed as it is drawn.
#pragma once

#include <string>
#include <vector>

#include "htmlform/text_measure.h"

namespace tarnwick::htmlform {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const Rect&) const = default;
};

// One line's part of a text node: the text as drawn (runs of white space made
// one space, non-breaking spaces kept) and where it is drawn.
struct TextFragment {
    Rect rect;
    std::u16string text;
    bool operator==(const TextFragment&) const = default;
};

enum class TextAlign { Left, Center, Right };

struct LayoutBox {
    // False for a node under display:none, one that draws nothing (head, script,
    // white space alone), and every node before the first layout.
    bool rendered = false;
    // The border box of an element; for a text node the union of its fragments.
    Rect rect;
    // The computed font: an element's own, a text node's parent's.
    FontSpec font;
    TextAlign align = TextAlign::Left;
    // Text nodes only.
    std::vector<TextFragment> fragments;
};

}  // namespace tarnwick::htmlform
