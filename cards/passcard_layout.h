// Where things are in a passcard file of n lines: match key, address, three
// lines per field, default line, protection line, check line (3k + 5 lines).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::size_t kPasscardFixedLines = 5;

inline constexpr std::size_t PasscardFieldCount(std::size_t lineCount) { return (lineCount - kPasscardFixedLines) / 3; }
// The index of field i's name line; its type and value follow.
inline constexpr std::size_t PasscardFieldLine(std::size_t field) { return 2 + 3 * field; }

// How a refused text of a passcard is named (the refusal of unsealable text).
inline constexpr std::u16string_view kPasscardMatchKeyLabel = u"match key";
inline constexpr std::u16string_view kPasscardAddressLabel = u"address";
// Field i by its name, or "field N" (counted from 1) when the name is empty.
std::u16string PasscardFieldLabel(std::size_t field, std::u16string_view name);

// 3k + 5 lines, none empty, and the last one the check text of the others.
bool IsIntactPasscard(const std::vector<std::u16string>& lines);

}  // namespace tarnwick
