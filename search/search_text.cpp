#include "search/search_text.h"

#include "foundation/secret_text.h"

namespace tarnwick {

char16_t FoldCase(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    // Latin-1: À..Þ but the multiplication sign.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
    if (c == 0x178) return 0xFF;  // Ÿ
    // Latin Extended-A pairs its letters capital first, on even code points up
    // to U+0137 and from U+014A, on odd ones between; U+0130 and U+0131 (the
    // dotted and dotless i) and U+0138 and U+0149 have no partner here.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return static_cast<char16_t>(c | 1);
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c & 1) != 0 ? static_cast<char16_t>(c + 1) : c;
    }
    // Greek capitals (U+03A2 is unassigned) and Cyrillic.
    if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}

SearchText::SearchText(std::u16string_view text) {
    folded_.reserve(text.size());
    for (char16_t c : text) folded_.push_back(FoldCase(c));
}

// The search text may be part of a password the user is looking for.
SearchText::~SearchText() { WipeText(folded_); }

bool SearchText::foundIn(std::u16string_view text) const {
    if (folded_.empty() || text.size() < folded_.size()) return false;
    const std::size_t last = text.size() - folded_.size();
    for (std::size_t start = 0; start <= last; ++start) {
        std::size_t i = 0;
        while (i < folded_.size() && FoldCase(text[start + i]) == folded_[i]) ++i;
        if (i == folded_.size()) return true;
    }
    return false;
}

}  // namespace tarnwick
