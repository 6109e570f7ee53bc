// What a sealed line can keep. Sealing converts text to the thread ANSI code
// page, where characters it cannot hold become "?" or a look-alike, and
// unsealing stops at a zero byte and at the pad byte 0x14. The card writers
// check every value here before they seal anything, so that such text is
// refused with a word instead of being saved changed.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace tarnwick {

// The refusal the editors show as their save-failure message and the CLI
// prints: the field's name, then the characters, one space between them.
inline constexpr std::u16string_view kUnsealableTextBefore = u"The field \"";
inline constexpr std::u16string_view kUnsealableTextMiddle =
    u"\" holds characters that cannot be saved on this system: ";
inline constexpr std::u16string_view kUnsealableTextAfter = u". Nothing was saved.";

// The characters of `text` that sealing would not give back, each once, in the
// order they first appear (a character outside the first plane is both its
// units). Empty when the whole text survives.
std::u16string UnsealableCharacters(std::u16string_view text, const CodePage& codePage = NativeCodePage());

// A value refused before anything was written.
class UnsealableTextError : public std::runtime_error {
public:
    UnsealableTextError(std::u16string field, std::u16string characters);

    const std::u16string& field() const noexcept { return field_; }
    const std::u16string& characters() const noexcept { return characters_; }
    // The text shown to the user; what() is the same in UTF-8.
    const std::u16string& message() const noexcept { return message_; }

private:
    std::u16string field_;
    std::u16string characters_;
    std::u16string message_;
};

// Raises UnsealableTextError naming `field` when `text` holds characters
// sealing cannot keep.
void RequireSealable(std::u16string_view field, std::u16string_view text, const CodePage& codePage = NativeCodePage());

}  // namespace tarnwick
