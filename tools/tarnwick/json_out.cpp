#include "tools/tarnwick/json_out.h"

#include <cstdio>

#include "platform/utf8.h"

namespace tarnwick::cli {

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    for (unsigned char c : Utf16ToUtf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    out += '"';
    return out;
}

std::string JsonStringArray(const std::vector<std::u16string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ',';
        out += JsonString(items[i]);
    }
    out += ']';
    return out;
}

}  // namespace tarnwick::cli
