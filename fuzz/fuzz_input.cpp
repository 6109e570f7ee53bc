#include "fuzz_input.h"

#include <algorithm>

namespace tarnwick::fuzz {

std::uint8_t FuzzInput::byte() { return position_ < size_ ? data_[position_++] : 0; }

std::u16string FuzzInput::text(std::size_t maxUnits) {
    std::u16string out;
    while (out.size() < maxUnits && size_ - position_ >= 2) {
        out.push_back(static_cast<char16_t>(data_[position_] | (data_[position_ + 1] << 8)));
        position_ += 2;
    }
    return out;
}

std::u16string FuzzInput::rest() { return text(size_); }

std::string FuzzInput::restBytes() {
    std::string out(reinterpret_cast<const char*>(data_ + position_), size_ - position_);
    position_ = size_;
    return out;
}

std::string FuzzInput::bytes(std::size_t count) {
    count = std::min(count, size_ - position_);
    std::string out(reinterpret_cast<const char*>(data_ + position_), count);
    position_ += count;
    return out;
}

std::u16string WideOf(const std::uint8_t* data, std::size_t size) { return FuzzInput(data, size).rest(); }

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(text[i]);
        }
    }
    return lines;
}

std::string Utf16File(const std::vector<std::u16string>& lines) {
    std::string bytes = "\xFF\xFE";
    const auto put = [&](char16_t unit) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) {
            put(u'\r');
            put(u'\n');
        }
        for (const char16_t unit : lines[i]) put(unit);
    }
    return bytes;
}

}  // namespace tarnwick::fuzz
