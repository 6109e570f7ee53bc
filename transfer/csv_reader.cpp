#include "transfer/csv_reader.h"

#include <cstdint>

namespace tarnwick::transfer {
namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") position_ = 3;
    }

    CsvTable read() {
        CsvTable table;
        while (position_ < text_.size()) {
            const std::size_t start = line_;
            std::vector<std::string> raw;
            std::string problem;
            readRecord(raw, problem);
            if (problem.empty()) {
                CsvRecord record{start, {}};
                for (const std::string& field : raw) {
                    std::u16string wide;
                    if (!DecodeUtf8(field, wide)) {
                        problem = "text that is not UTF-8";
                        break;
                    }
                    record.fields.push_back(std::move(wide));
                }
                if (problem.empty()) {
                    // A blank line is no record.
                    if (!(record.fields.size() == 1 && record.fields[0].empty() && raw[0].empty() && !quoted_)) {
                        table.records.push_back(std::move(record));
                    }
                    continue;
                }
            }
            table.problems.push_back({start, problem});
        }
        return table;
    }

private:
    char peek() const { return position_ < text_.size() ? text_[position_] : '\0'; }
    bool atEnd() const { return position_ >= text_.size(); }

    // True at a record's end (consumed), for CRLF and LF.
    bool takeLineEnd() {
        if (peek() == '\n') {
            ++position_;
            ++line_;
            return true;
        }
        if (peek() == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n') {
            position_ += 2;
            ++line_;
            return true;
        }
        return false;
    }

    // Skips to the end of the current physical line: the rest of a bad record.
    void skipLine() {
        while (!atEnd() && !takeLineEnd()) ++position_;
    }

    void readRecord(std::vector<std::string>& fields, std::string& problem) {
        quoted_ = false;
        for (;;) {
            std::string field;
            if (peek() == '"') {
                quoted_ = true;
                ++position_;
                for (;;) {
                    if (atEnd()) {
                        problem = "a quoted field is never closed";
                        return;
                    }
                    const char c = text_[position_++];
                    if (c == '"') {
                        if (peek() == '"') {
                            field += '"';
                            ++position_;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n') ++line_;
                    field += c;
                }
                if (!atEnd() && peek() != ',' && peek() != '\n' && peek() != '\r') {
                    problem = "text after a closing quote";
                    skipLine();
                    return;
                }
            } else {
                while (!atEnd() && peek() != ',' && peek() != '\n') {
                    if (peek() == '\r') {
                        if (position_ + 1 < text_.size() && text_[position_ + 1] == '\n') break;
                        problem = "a carriage return outside quotes";
                        skipLine();
                        return;
                    }
                    if (peek() == '"') {
                        problem = "a quote inside an unquoted field";
                        skipLine();
                        return;
                    }
                    field += text_[position_++];
                }
            }
            fields.push_back(std::move(field));
            if (peek() == ',') {
                ++position_;
                continue;
            }
            if (atEnd() || takeLineEnd()) return;
            problem = "a carriage return outside quotes";
            skipLine();
            return;
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
    bool quoted_ = false;
};

}  // namespace

std::size_t DecodeUtf8Sequence(std::string_view utf8, std::size_t at, std::u16string& out) {
    const unsigned lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > utf8.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned next = static_cast<unsigned char>(utf8[at + k]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
    return length;
}

bool DecodeUtf8(std::string_view utf8, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        const std::size_t length = DecodeUtf8Sequence(utf8, i, out);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

CsvTable ReadCsv(std::string_view utf8) { return Reader(utf8).read(); }

}  // namespace tarnwick::transfer
