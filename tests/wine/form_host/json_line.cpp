#include "tests/wine/form_host/json_line.h"

#include <cstdio>

namespace tarnwick {
namespace {

void appendEscape(std::string& out, unsigned unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", unit);
    out += buffer;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        switch (unit) {
            case u'"':
                out += "\\\"";
                continue;
            case u'\\':
                out += "\\\\";
                continue;
            case u'\n':
                out += "\\n";
                continue;
            case u'\r':
                out += "\\r";
                continue;
            case u'\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        if (unit < 0x20 || unit == 0x7F) {
            appendEscape(out, unit);
        } else if (isHigh(unit) && i + 1 < text.size() && isLow(text[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (isHigh(unit) || isLow(unit)) {
            appendEscape(out, unit);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out + "\"";
}

std::string EditEventLine(std::u16string_view id, std::u16string_view name, std::u16string_view value) {
    return "{\"event\":\"edit\",\"id\":" + JsonString(id) + ",\"name\":" + JsonString(name) +
           ",\"value\":" + JsonString(value) + "}";
}

std::string FocusEventLine(std::u16string_view id) { return "{\"event\":\"focus\",\"id\":" + JsonString(id) + "}"; }

}  // namespace tarnwick
