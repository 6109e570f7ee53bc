// The portable layout of a form document: block flow with line wrapping,
// tables with percentage, fixed and automatic column widths, align, bold
// headers, the page's simple style rules (margins, padding, widths, font size
// and weight, display), and the box sizes of inputs and selects. Text is
// measured through the TextMeasure port. It fills every node's LayoutBox.
#pragma once

#include "htmlform/document.h"
#include "htmlform/text_measure.h"

namespace tarnwick::htmlform {

// Lays out `document` for a viewport `viewportWidth` pixels wide and returns the
// size of what it drew (at least the viewport's width).
PageSize LayoutDocument(Document& document, TextMeasure& measure, int viewportWidth);

// The box sizes of the controls (border box), in the font given.
TextExtent TextInputSize(TextMeasure& measure, const FontSpec& font, int sizeAttribute);
TextExtent RadioSize();
TextExtent SelectSize(TextMeasure& measure, const FontSpec& font, const Element& select);

}  // namespace tarnwick::htmlform
