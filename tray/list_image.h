// The 1,560,000-byte image of "TarnwickFileMapping": three blocks of 1,000
// slots of 520 bytes, each a zero-terminated UTF-16 LE text, the rest zero.
// Also the reading side, for the CLI, the tests and the browser stand-in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class ListImage {
public:
    ListImage();

    // Clears the block at `offset` and writes the texts into its first slots;
    // a text is cut to 259 characters, texts beyond the 1,000 slots are dropped.
    void setBlock(std::size_t offset, const std::vector<std::u16string>& texts);

    const unsigned char* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<unsigned char> bytes_;
};

// Writes a zero-padded UTF-16 LE text into `slotBytes` bytes (at most
// slotBytes / 2 - 1 characters; the rest zero).
void WriteSlotText(unsigned char* slot, std::size_t slotBytes, std::u16string_view text);
// The text of a slot: up to its first zero.
std::u16string ReadSlotText(const unsigned char* slot, std::size_t slotBytes);
// The texts of a block, up to its first empty slot: the passcard and identity
// lists, whose paths are never empty.
std::vector<std::u16string> ReadBlock(const unsigned char* image, std::size_t offset);
// The match keys, one for each listed passcard: read by the passcard count,
// since a passcard's match key may be empty and its slot then holds nothing.
std::vector<std::u16string> ReadMatchKeys(const unsigned char* image);

}  // namespace tarnwick
