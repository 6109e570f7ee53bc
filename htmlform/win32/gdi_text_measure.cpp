#include "htmlform/win32/gdi_text_measure.h"

#include <algorithm>

namespace tarnwick {

GdiTextMeasure::GdiTextMeasure(FormFonts& fonts) : fonts_(fonts), dc_(CreateCompatibleDC(nullptr)) {}

GdiTextMeasure::~GdiTextMeasure() {
    if (dc_ != nullptr) DeleteDC(dc_);
}

int GdiTextMeasure::lineHeight(const htmlform::FontSpec& font) {
    const auto key = std::make_pair(font.sizePx, font.bold);
    if (auto found = lineHeights_.find(key); found != lineHeights_.end()) return found->second;
    SelectObject(dc_, fonts_.get(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    const int height = std::max<int>(metrics.tmHeight, font.sizePx);
    lineHeights_.emplace(key, height);
    return height;
}

htmlform::TextExtent GdiTextMeasure::measure(std::u16string_view text, const htmlform::FontSpec& font) {
    const int height = lineHeight(font);
    if (text.empty()) return {0, height};
    SelectObject(dc_, fonts_.get(font));
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
    return {size.cx, height};
}

}  // namespace tarnwick
