#include "htmlform/html_tokenizer.h"

#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/html_parser.h"

namespace tarnwick::htmlform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Numeric references to C1 controls mean the windows-1252 characters, as browsers read them.
constexpr char16_t kWindows1252[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

void AppendCodePoint(std::u16string& out, char32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out.push_back(kReplacement);
    } else if (code >= 0x80 && code <= 0x9F) {
        out.push_back(kWindows1252[code - 0x80]);
    } else if (code >= 0x10000) {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

// Names that browsers take without the closing semicolon (the old Latin-1 set).
bool IsLegacyName(std::u16string_view name, char32_t code) { return code <= 0xFF && name != u"apos"; }

std::u16string NormaliseNewlines(std::u16string_view markup) {
    std::u16string out;
    out.reserve(markup.size());
    for (std::size_t i = 0; i < markup.size(); ++i) {
        if (markup[i] == u'\r') {
            out.push_back(u'\n');
            if (i + 1 < markup.size() && markup[i + 1] == u'\n') ++i;
        } else {
            out.push_back(markup[i]);
        }
    }
    return out;
}

bool IsHexDigit(char16_t c) { return IsAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

int HexValue(char16_t c) {
    if (IsAsciiDigit(c)) return c - u'0';
    return LowerAscii(c) - u'a' + 10;
}

}  // namespace

HtmlTokenizer::HtmlTokenizer(std::u16string_view markup) : text_(NormaliseNewlines(markup)) {}

char16_t HtmlTokenizer::peek(std::size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : char16_t(0);
}

void HtmlTokenizer::startRawText(std::u16string_view tag, bool escapable) {
    rawTag_ = tag;
    rawEscapable_ = escapable;
}

HtmlToken HtmlTokenizer::next() {
    HtmlToken token;
    if (!rawTag_.empty()) {
        readRawText(token);
        if (!token.text.empty()) return token;
    }
    while (!atEnd()) {
        if (text_[pos_] != u'<') {
            readText(token);
            return token;
        }
        std::size_t start = pos_;
        if (readTag(token)) return token;
        if (pos_ == start) {  // a '<' that opens nothing is text
            token.type = HtmlToken::Type::Text;
            token.text.push_back(u'<');
            ++pos_;
            readText(token);
            return token;
        }
        token = HtmlToken();  // a comment or a dropped tag: go on
    }
    token.type = HtmlToken::Type::End;
    return token;
}

void HtmlTokenizer::readText(HtmlToken& token) {
    token.type = HtmlToken::Type::Text;
    while (!atEnd() && text_[pos_] != u'<') {
        if (text_[pos_] == u'&') readCharacterReference(token.text, false);
        else token.text.push_back(text_[pos_++]);
    }
}

void HtmlTokenizer::readRawText(HtmlToken& token) {
    token.type = HtmlToken::Type::Text;
    while (!atEnd()) {
        char16_t c = text_[pos_];
        if (c == u'<' && peek(1) == u'/') {
            std::u16string_view rest = std::u16string_view(text_).substr(pos_ + 2);
            if (rest.size() >= rawTag_.size() && EqualsIgnoringAsciiCase(rest.substr(0, rawTag_.size()), rawTag_)) {
                char16_t after = rest.size() > rawTag_.size() ? rest[rawTag_.size()] : u'>';
                if (IsHtmlSpace(after) || after == u'/' || after == u'>') break;
            }
        }
        if (c == u'&' && rawEscapable_) readCharacterReference(token.text, false);
        else token.text.push_back(text_[pos_++]);
    }
    rawTag_.clear();
}

// Reads a tag, comment or declaration at '<'. True with a tag token; false
// after a comment or a tag cut off by the end (pos_ moved), or when the '<'
// starts nothing (pos_ unmoved).
bool HtmlTokenizer::readTag(HtmlToken& token) {
    char16_t first = peek(1);
    if (first == u'!') {
        pos_ += 2;
        if (peek() == u'-' && peek(1) == u'-') {
            pos_ += 2;
            skipComment();
        } else {
            skipToTagEnd();
        }
        return false;
    }
    if (first == u'?') {
        ++pos_;
        skipToTagEnd();
        return false;
    }
    bool end = first == u'/';
    char16_t nameStart = end ? peek(2) : first;
    if (!IsAsciiAlpha(nameStart)) {
        if (!end) return false;
        if (nameStart == u'>') {  // "</>" is dropped
            pos_ += 3;
            return false;
        }
        pos_ += 2;
        skipToTagEnd();  // "</ ...>" is a comment
        return false;
    }
    pos_ += end ? 2 : 1;
    std::size_t start = pos_;
    while (!atEnd() && !IsHtmlSpace(text_[pos_]) && text_[pos_] != u'/' && text_[pos_] != u'>') ++pos_;
    token.name = LowerAscii(std::u16string_view(text_).substr(start, pos_ - start));
    token.type = end ? HtmlToken::Type::EndTag : HtmlToken::Type::StartTag;
    readAttributes(token);
    if (atEnd()) return false;  // a tag cut off by the end of the markup is dropped, as browsers do
    ++pos_;                     // '>'
    if (end) token.attributes.clear();
    return true;
}

void HtmlTokenizer::readAttributes(HtmlToken& token) {
    while (!atEnd()) {
        char16_t c = text_[pos_];
        if (IsHtmlSpace(c)) {
            ++pos_;
            continue;
        }
        if (c == u'>') return;
        if (c == u'/') {
            ++pos_;
            if (peek() == u'>') token.selfClosing = true;
            continue;
        }
        std::size_t start = pos_++;  // a name may start with '='
        while (!atEnd() && !IsHtmlSpace(text_[pos_]) && text_[pos_] != u'/' && text_[pos_] != u'>' &&
               text_[pos_] != u'=')
            ++pos_;
        std::u16string name = LowerAscii(std::u16string_view(text_).substr(start, pos_ - start));
        while (!atEnd() && IsHtmlSpace(text_[pos_])) ++pos_;
        std::u16string value;
        if (peek() == u'=') {
            ++pos_;
            while (!atEnd() && IsHtmlSpace(text_[pos_])) ++pos_;
            value = readAttributeValue();
        }
        bool duplicate = std::any_of(token.attributes.begin(), token.attributes.end(),
                                     [&](const Attribute& a) { return a.name == name; });
        if (!duplicate) token.attributes.push_back({std::move(name), std::move(value)});
    }
}

std::u16string HtmlTokenizer::readAttributeValue() {
    std::u16string value;
    char16_t quote = peek();
    if (quote == u'"' || quote == u'\'') {
        ++pos_;
        while (!atEnd() && text_[pos_] != quote) {
            if (text_[pos_] == u'&') readCharacterReference(value, true);
            else value.push_back(text_[pos_++]);
        }
        if (!atEnd()) ++pos_;
        return value;
    }
    while (!atEnd() && !IsHtmlSpace(text_[pos_]) && text_[pos_] != u'>') {
        if (text_[pos_] == u'&') readCharacterReference(value, true);
        else value.push_back(text_[pos_++]);
    }
    return value;
}

void HtmlTokenizer::skipComment() {
    // "<!-->" and "<!--->" end at once, as in a browser.
    if (peek() == u'>') {
        ++pos_;
        return;
    }
    if (peek() == u'-' && peek(1) == u'>') {
        pos_ += 2;
        return;
    }
    std::size_t end = text_.find(u"-->", pos_);
    pos_ = end == std::u16string::npos ? text_.size() : end + 3;
}

void HtmlTokenizer::skipToTagEnd() {
    std::size_t end = text_.find(u'>', pos_);
    pos_ = end == std::u16string::npos ? text_.size() : end + 1;
}

void HtmlTokenizer::readCharacterReference(std::u16string& out, bool inAttribute) {
    std::size_t start = pos_++;  // '&'
    if (peek() == u'#') {
        bool hex = peek(1) == u'x' || peek(1) == u'X';
        std::size_t digits = pos_ + (hex ? 2 : 1);
        std::size_t i = digits;
        char32_t code = 0;
        bool overflow = false;
        while (i < text_.size() && (hex ? IsHexDigit(text_[i]) : IsAsciiDigit(text_[i]))) {
            code = code * (hex ? 16 : 10) + static_cast<char32_t>(hex ? HexValue(text_[i]) : text_[i] - u'0');
            if (code > 0x10FFFF) overflow = true, code = 0x110000;
            ++i;
        }
        if (i == digits) {  // "&#" without digits stays as written
            pos_ = start + 1;
            out.push_back(u'&');
            return;
        }
        if (i < text_.size() && text_[i] == u';') ++i;
        pos_ = i;
        AppendCodePoint(out, overflow ? 0x110000 : code);
        return;
    }
    std::size_t end = pos_;
    while (end < text_.size() && (IsAsciiAlpha(text_[end]) || IsAsciiDigit(text_[end])) && end - pos_ < 32) ++end;
    std::u16string_view run = std::u16string_view(text_).substr(pos_, end - pos_);
    if (end < text_.size() && text_[end] == u';') {
        if (char32_t code = NamedCharacter(run)) {
            AppendCodePoint(out, code);
            pos_ = end + 1;
            return;
        }
    }
    // The longest old name at the start of the run, taken without a semicolon.
    for (std::size_t length = run.size(); length > 0; --length) {
        std::u16string_view name = run.substr(0, length);
        char32_t code = NamedCharacter(name);
        if (!code || !IsLegacyName(name, code)) continue;
        char16_t after = pos_ + length < text_.size() ? text_[pos_ + length] : char16_t(0);
        if (inAttribute && (after == u'=' || IsAsciiAlpha(after) || IsAsciiDigit(after))) break;
        AppendCodePoint(out, code);
        pos_ += length;
        return;
    }
    pos_ = start + 1;
    out.push_back(u'&');
}

}  // namespace tarnwick::htmlform
