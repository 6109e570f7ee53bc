// The card tests' own reading of a card file, straight from its bytes and
// independent of the text reader: the UTF-16 LE mark, CR LF between lines and
// none after the last; and a card file built the same way.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/sealed_text.h"
#include "support/temp_folder.h"

namespace tarnwick::test {

inline std::vector<std::u16string> LinesOfBytes(const std::string& bytes) {
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE' || bytes.size() % 2 != 0) {
        throw std::runtime_error("not a UTF-16 LE file with its mark");
    }
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
        const char16_t unit =
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (unit == u'\r') {
            if (i + 3 >= bytes.size() || bytes[i + 2] != '\n' || bytes[i + 3] != '\0') {
                throw std::runtime_error("CR without LF");
            }
            lines.emplace_back();
            i += 2;
        } else {
            lines.back().push_back(unit);
        }
    }
    return lines;
}

inline std::vector<std::u16string> FileLines(const std::u16string& path) {
    return LinesOfBytes(testing::ReadBytes(path));
}

inline void WriteFileLines(const std::u16string& path, const std::vector<std::u16string>& lines) {
    std::string bytes = "\xFF\xFE";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) bytes.append("\r\0\n\0", 4);
        for (char16_t unit : lines[i]) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
    }
    testing::WriteBytes(path, bytes);
}

inline std::u16string Seal(std::u16string_view text, int keyMode) { return SealText(text, u"Blowfish", keyMode); }
inline std::u16string Unseal(std::u16string_view text, int keyMode) { return UnsealText(text, u"Blowfish", keyMode); }

// The check line over all lines given, by its own concatenation.
inline std::u16string CheckOf(const std::vector<std::u16string>& sealed) {
    std::u16string all;
    for (const std::u16string& line : sealed) all += line;
    return MakeCheckText(all);
}

}  // namespace tarnwick::test
