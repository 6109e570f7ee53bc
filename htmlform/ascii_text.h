// ASCII-only case folding and white space as HTML and CSS define them: tag,
// attribute and property names fold only A-Z, whatever else the text holds.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::htmlform {

inline char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

inline std::u16string LowerAscii(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = LowerAscii(c);
    return out;
}

inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Space, tab, LF, FF and CR: HTML's white space.
inline bool IsHtmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r'; }

inline bool IsAsciiAlpha(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
inline bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

inline std::u16string_view TrimHtmlSpace(std::u16string_view text) {
    while (!text.empty() && IsHtmlSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsHtmlSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Runs of HTML white space made one space, and the ends trimmed.
inline std::u16string CollapseHtmlSpace(std::u16string_view text) {
    std::u16string out;
    bool space = false;
    for (char16_t c : text) {
        if (IsHtmlSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) out.push_back(u' ');
        space = false;
        out.push_back(c);
    }
    return out;
}

}  // namespace tarnwick::htmlform
