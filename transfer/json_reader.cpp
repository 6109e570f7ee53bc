#include "transfer/json_reader.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "transfer/csv_reader.h"

namespace tarnwick::transfer {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue document() {
        if (text_.size() > kMaxJsonBytes) fail("the file is too large");
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") position_ = 3;
        JsonValue value = parseValue(0);
        skipSpace();
        if (position_ != text_.size()) fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw JsonError(what, line_); }

    void skipSpace() {
        while (position_ < text_.size()) {
            const char c = text_[position_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++position_;
        }
    }

    char peek() const { return position_ < text_.size() ? text_[position_] : '\0'; }

    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++position_;
    }

    void expectWord(std::string_view word) {
        if (text_.substr(position_, word.size()) != word) fail("unknown word");
        position_ += word.size();
    }

    JsonValue parseValue(std::size_t depth) {
        if (depth >= kMaxJsonDepth) fail("nested too deeply");
        skipSpace();
        JsonValue value;
        switch (peek()) {
            case '{':
                value.kind = JsonValue::Kind::Object;
                parseObject(value, depth);
                break;
            case '[':
                value.kind = JsonValue::Kind::Array;
                parseArray(value, depth);
                break;
            case '"':
                value.kind = JsonValue::Kind::String;
                value.text = parseString();
                break;
            case 't':
                expectWord("true");
                value.kind = JsonValue::Kind::Bool;
                value.boolean = true;
                break;
            case 'f':
                expectWord("false");
                value.kind = JsonValue::Kind::Bool;
                break;
            case 'n':
                expectWord("null");
                break;
            default:
                value.kind = JsonValue::Kind::Number;
                value.number = parseNumber();
        }
        return value;
    }

    void parseObject(JsonValue& value, std::size_t depth) {
        ++position_;
        skipSpace();
        if (peek() == '}') {
            ++position_;
            return;
        }
        for (;;) {
            skipSpace();
            if (peek() != '"') fail("expected a member name");
            std::u16string key = parseString();
            if (value.find(key)) fail("a member name given twice");
            skipSpace();
            expect(':');
            value.members.push_back({std::move(key), parseValue(depth + 1)});
            skipSpace();
            if (peek() == ',') {
                ++position_;
                continue;
            }
            expect('}');
            return;
        }
    }

    void parseArray(JsonValue& value, std::size_t depth) {
        ++position_;
        skipSpace();
        if (peek() == ']') {
            ++position_;
            return;
        }
        for (;;) {
            value.items.push_back(parseValue(depth + 1));
            skipSpace();
            if (peek() == ',') {
                ++position_;
                continue;
            }
            expect(']');
            return;
        }
    }

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    double parseNumber() {
        const std::size_t start = position_;
        if (peek() == '-') ++position_;
        if (peek() == '0') {
            ++position_;
        } else if (isDigit(peek())) {
            while (isDigit(peek())) ++position_;
        } else {
            fail("expected a value");
        }
        if (peek() == '.') {
            ++position_;
            if (!isDigit(peek())) fail("a digit must follow the point");
            while (isDigit(peek())) ++position_;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++position_;
            if (peek() == '+' || peek() == '-') ++position_;
            if (!isDigit(peek())) fail("a digit must follow the exponent");
            while (isDigit(peek())) ++position_;
        }
        const std::string digits(text_.substr(start, position_ - start));
        const double number = std::strtod(digits.c_str(), nullptr);
        if (!std::isfinite(number)) fail("number out of range");
        return number;
    }

    unsigned hexDigit() {
        const char c = peek();
        ++position_;
        if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
        if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
        fail("bad \\u escape");
    }

    char16_t escapedUnit() {
        unsigned unit = 0;
        for (int i = 0; i < 4; ++i) unit = unit * 16 + hexDigit();
        return static_cast<char16_t>(unit);
    }

    static bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
    static bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

    void parseEscape(std::u16string& out) {
        const char c = peek();
        ++position_;
        switch (c) {
            case '"':
                out += u'"';
                return;
            case '\\':
                out += u'\\';
                return;
            case '/':
                out += u'/';
                return;
            case 'b':
                out += u'\b';
                return;
            case 'f':
                out += u'\f';
                return;
            case 'n':
                out += u'\n';
                return;
            case 'r':
                out += u'\r';
                return;
            case 't':
                out += u'\t';
                return;
            case 'u':
                break;
            default:
                fail("bad escape");
        }
        const char16_t unit = escapedUnit();
        if (isLow(unit)) fail("a lone low surrogate");
        if (!isHigh(unit)) {
            out += unit;
            return;
        }
        if (text_.substr(position_, 2) != "\\u") fail("a lone high surrogate");
        position_ += 2;
        const char16_t low = escapedUnit();
        if (!isLow(low)) fail("a lone high surrogate");
        out += unit;
        out += low;
    }

    // One UTF-8 sequence, validated (no overlong forms, no surrogates, at most U+10FFFF).
    void parseUtf8(std::u16string& out) {
        const std::size_t length = DecodeUtf8Sequence(text_, position_, out);
        if (length == 0) fail("not UTF-8");
        position_ += length;
    }

    std::u16string parseString() {
        ++position_;
        std::u16string out;
        for (;;) {
            if (position_ >= text_.size()) fail("a string without its end");
            const unsigned char c = static_cast<unsigned char>(text_[position_]);
            if (c == '"') {
                ++position_;
                return out;
            }
            if (c < 0x20) fail("a control character inside a string");
            if (c == '\\') {
                ++position_;
                parseEscape(out);
            } else if (c < 0x80) {
                out += static_cast<char16_t>(c);
                ++position_;
            } else {
                parseUtf8(out);
            }
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

}  // namespace

JsonError::JsonError(const std::string& what, std::size_t line)
    : std::runtime_error("line " + std::to_string(line) + ": " + what),
      line_(line) {}

const JsonValue* JsonValue::find(std::u16string_view key) const {
    for (const auto& [name, value] : members) {
        if (name == key) return &value;
    }
    return nullptr;
}

JsonValue ParseJson(std::string_view utf8) { return Parser(utf8).document(); }

std::string JsonQuote(std::u16string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            out += "\\r";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else if (c >= 0xD800 && c <= 0xDFFF &&
                   !(c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)) {
            out += "\xEF\xBF\xBD";  // a lone surrogate, which no JSON reader takes: U+FFFD
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c >= 0xD800 && c <= 0xDBFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out + "\"";
}

}  // namespace tarnwick::transfer
