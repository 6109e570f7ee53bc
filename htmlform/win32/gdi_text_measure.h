// The layout's TextMeasure with GDI: text extents in the very fonts the
// renderer's controls draw with, so that laid-out labels are never clipped.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "htmlform/text_measure.h"
#include "htmlform/win32/form_fonts.h"

namespace tarnwick {

class GdiTextMeasure : public htmlform::TextMeasure {
public:
    explicit GdiTextMeasure(FormFonts& fonts);
    ~GdiTextMeasure() override;
    GdiTextMeasure(const GdiTextMeasure&) = delete;
    GdiTextMeasure& operator=(const GdiTextMeasure&) = delete;

    htmlform::TextExtent measure(std::u16string_view text, const htmlform::FontSpec& font) override;

private:
    int lineHeight(const htmlform::FontSpec& font);
    void select(const htmlform::FontSpec& font);

    FormFonts& fonts_;
    HDC dc_ = nullptr;
    HFONT selected_ = nullptr;
    std::map<std::pair<int, bool>, int> lineHeights_;
    // Widths already measured, by font: a long table measures each of its
    // labels several times (for its column, then for its line), and the
    // same few words over and over.
    std::map<std::pair<int, bool>, std::unordered_map<std::u16string, int>> widths_;
    std::size_t cached_ = 0;
};

}  // namespace tarnwick
