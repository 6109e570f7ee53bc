#include "htmlform/text_measure.h"

namespace tarnwick::htmlform {

int FixedTextMeasure::CharWidth(const FontSpec& font) {
    // About six tenths of the em, as an average Verdana letter; bold a pixel wider.
    return (font.sizePx * 6 + 5) / 10 + (font.bold ? 1 : 0);
}

int FixedTextMeasure::LineHeight(const FontSpec& font) { return font.sizePx + font.sizePx / 4; }

TextExtent FixedTextMeasure::measure(std::u16string_view text, const FontSpec& font) {
    return {static_cast<int>(text.size()) * CharWidth(font), LineHeight(font)};
}

}  // namespace tarnwick::htmlform
