#include "htmlform/form_layout.h"

namespace tarnwick::htmlform {

PageSize LayoutDocument(Document&, TextMeasure&, int viewportWidth) { return {viewportWidth, 0}; }

TextExtent TextInputSize(TextMeasure& measure, const FontSpec& font, int sizeAttribute) {
    TextExtent one = measure.measure(u"x", font);
    return {one.width * (sizeAttribute > 0 ? sizeAttribute : 20) + 6, one.height + 6};
}

TextExtent RadioSize() { return {13, 13}; }

TextExtent SelectSize(TextMeasure& measure, const FontSpec& font, const Element&) {
    TextExtent one = measure.measure(u"x", font);
    return {one.width * 4 + 24, one.height + 6};
}

}  // namespace tarnwick::htmlform
