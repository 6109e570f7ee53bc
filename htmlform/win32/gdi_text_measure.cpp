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
    select(font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    const int height = std::max<int>(metrics.tmHeight, font.sizePx);
    lineHeights_.emplace(key, height);
    return height;
}

void GdiTextMeasure::select(const htmlform::FontSpec& font) {
    HFONT wanted = fonts_.get(font);
    if (wanted == selected_) return;
    SelectObject(dc_, wanted);
    selected_ = wanted;
}

htmlform::TextExtent GdiTextMeasure::measure(std::u16string_view text, const htmlform::FontSpec& font) {
    // Only short texts are kept, and not many: labels and words, not a page.
    constexpr std::size_t kLongestKept = 64;
    constexpr std::size_t kMostKept = 8192;
    const int height = lineHeight(font);
    if (text.empty()) return {0, height};
    auto& widths = widths_[std::make_pair(font.sizePx, font.bold)];
    const bool keep = text.size() <= kLongestKept;
    if (keep) {
        if (auto found = widths.find(std::u16string(text)); found != widths.end()) return {found->second, height};
    }
    select(font);
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
    if (keep) {
        if (cached_ >= kMostKept) {
            widths_.clear();
            cached_ = 0;
        }
        widths_[std::make_pair(font.sizePx, font.bold)].emplace(text, size.cx);
        ++cached_;
    }
    return {size.cx, height};
}

}  // namespace tarnwick
