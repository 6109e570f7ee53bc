// A count or code written in decimal digits, as the editors put numbers into
// ids, names and messages ("customfirst11", "New Folder - 2", "Error 1234.").
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

inline std::u16string DecimalText(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

}  // namespace tarnwick
