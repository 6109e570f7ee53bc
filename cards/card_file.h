// What identity cards and passcards share: the check line that ends every card
// file, and the results of the card operations.
#pragma once

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnwick {

// Load results.
inline constexpr int kCardLoaded = 0;
inline constexpr int kCardNotLoaded = 1;  // password prompt cancelled, or another user's card
inline constexpr int kCardDamaged = 2;

// What became of an operation that writes a card file.
enum class CardWriteResult {
    Written,
    NoPassword,  // the primary password was not given: nothing written
    NotLoaded,   // the record does not hold a card loaded from that file: nothing written
    Damaged,     // the file on disk is damaged: left as it is
    NotOwner,    // a protected card of another user: left as it is
};

// Every line of a card file, for a load or a rewrite. A file that cannot be
// opened (another program holds it, access is denied, it is gone) or whose
// read fails part-way raises CTextFileException with the system's code: such a
// card is unreadable, which is not the same as damaged, and is left alone.
std::vector<std::u16string> ReadCardLines(const std::u16string& path, FileSystem& files);

// MakeCheckText of the first `count` lines concatenated, exactly as written.
std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count);
std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count, const CodePage& codePage);
// True when the file has at least two lines and its last line is the check
// text of all the lines above it.
bool CardCheckLineMatches(const std::vector<std::u16string>& lines);

}  // namespace tarnwick
