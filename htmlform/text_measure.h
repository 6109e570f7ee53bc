// How wide and tall a run of text is in the page's font: the one thing the
// portable layout asks of the platform. The renderer measures with GDI; host
// tests, the fuzzer and the benchmark use the fixed-width FixedTextMeasure.
#pragma once

#include <string_view>

namespace tarnwick::htmlform {

// The font of a run: the page's face at this pixel size, normal or bold.
struct FontSpec {
    int sizePx = 16;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;  // the height of one line of this font
    bool operator==(const TextExtent&) const = default;
};

class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    // The extent of `text` drawn on one line (no wrapping); an empty text is
    // zero wide and one line tall.
    virtual TextExtent measure(std::u16string_view text, const FontSpec& font) = 0;
};

// Every code unit is CharWidth(font) pixels wide; a line is LineHeight(font) tall.
// Predictable numbers for tests: 12 px normal text is 7 px a character and 15 px a line.
class FixedTextMeasure : public TextMeasure {
public:
    static int CharWidth(const FontSpec& font);
    static int LineHeight(const FontSpec& font);
    TextExtent measure(std::u16string_view text, const FontSpec& font) override;
};

}  // namespace tarnwick::htmlform
