#include "platform/host/code_page_1252.h"

#include <algorithm>
#include <iterator>

namespace tarnwick {
namespace {

struct WideToNarrow {
    char16_t unit;
    unsigned char byte;
};

#include "platform/host/code_page_1252_table.inc"

// narrowOf's binary search needs every unit once, in order.
static_assert(std::adjacent_find(std::begin(kWideToNarrowExceptions), std::end(kWideToNarrowExceptions),
                                 [](const WideToNarrow& a, const WideToNarrow& b) { return a.unit >= b.unit; }) ==
              std::end(kWideToNarrowExceptions));

// ASCII maps to itself: no exception lies below 0x80.
static_assert(std::begin(kWideToNarrowExceptions)->unit >= 0x80);

// One code unit at a time, as Windows converts a single-byte code page: the two
// halves of a surrogate pair each become '?'.
char narrowOf(char16_t unit) {
    if (unit < 0x80) return static_cast<char>(unit);
    const auto* end = std::end(kWideToNarrowExceptions);
    const auto* it = std::lower_bound(std::begin(kWideToNarrowExceptions), end, unit,
                                      [](const WideToNarrow& e, char16_t u) { return e.unit < u; });
    if (it != end && it->unit == unit) return static_cast<char>(it->byte);
    return unit < 0x100 ? static_cast<char>(unit) : '?';
}

char16_t wideOf(char byte) { return kNarrowToWide[static_cast<unsigned char>(byte)]; }

}  // namespace

std::string CodePage1252::toNarrow(std::u16string_view wide, Which) const {
    std::string out(wide.size(), '\0');
    std::transform(wide.begin(), wide.end(), out.begin(), narrowOf);
    return out;
}

std::u16string CodePage1252::toWide(std::string_view narrow, Which) const {
    std::u16string out(narrow.size(), u'\0');
    std::transform(narrow.begin(), narrow.end(), out.begin(), wideOf);
    return out;
}

}  // namespace tarnwick
