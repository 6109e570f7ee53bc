#include "tray/list_image.h"

#include <algorithm>

#include "foundation/toolbar_contract.h"

namespace tarnwick {

ListImage::ListImage() : bytes_(file_mapping::kSize, 0) {}

void ListImage::setBlock(std::size_t offset, const std::vector<std::u16string>& texts) {
    // Each byte written once: the slots with a text fill themselves, the
    // rest of the block is cleared in one go.
    unsigned char* block = bytes_.data() + offset;
    const std::size_t count = std::min(texts.size(), file_mapping::kSlotsPerBlock);
    for (std::size_t i = 0; i < count; ++i) {
        WriteSlotText(block + i * file_mapping::kSlotBytes, file_mapping::kSlotBytes, texts[i]);
    }
    std::fill(block + count * file_mapping::kSlotBytes, block + file_mapping::kBlockBytes, 0);
}

void WriteSlotText(unsigned char* slot, std::size_t slotBytes, std::u16string_view text) {
    const std::size_t chars = std::min(text.size(), slotBytes / 2 - 1);
    for (std::size_t i = 0; i < chars; ++i) {
        slot[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        slot[2 * i + 1] = static_cast<unsigned char>(text[i] >> 8);
    }
    std::fill(slot + 2 * chars, slot + slotBytes, 0);
}

std::u16string ReadSlotText(const unsigned char* slot, std::size_t slotBytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < slotBytes; i += 2) {
        const char16_t unit = static_cast<char16_t>(slot[i] | (slot[i + 1] << 8));
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

namespace {

std::u16string slotText(const unsigned char* image, std::size_t offset, std::size_t slot) {
    return ReadSlotText(image + offset + slot * file_mapping::kSlotBytes, file_mapping::kSlotBytes);
}

}  // namespace

std::vector<std::u16string> ReadBlock(const unsigned char* image, std::size_t offset) {
    std::vector<std::u16string> texts;
    for (std::size_t i = 0; i < file_mapping::kSlotsPerBlock; ++i) {
        std::u16string text = slotText(image, offset, i);
        if (text.empty()) break;
        texts.push_back(std::move(text));
    }
    return texts;
}

std::vector<std::u16string> ReadMatchKeys(const unsigned char* image) {
    const std::size_t count = ReadBlock(image, file_mapping::kPasscardsOffset).size();
    std::vector<std::u16string> keys;
    keys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) keys.push_back(slotText(image, file_mapping::kMatchKeysOffset, i));
    return keys;
}

}  // namespace tarnwick
