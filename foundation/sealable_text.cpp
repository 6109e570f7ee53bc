#include "foundation/sealable_text.h"

#include <cstdio>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

constexpr char kZeroByte = '\0';
constexpr char kPadByte = '\x14';  // unsealing cuts the text here

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool survives(std::u16string_view text, const CodePage& codePage) {
    const std::string narrow = codePage.toNarrow(text, CodePage::Which::Thread);
    if (narrow.find(kZeroByte) != std::string::npos || narrow.find(kPadByte) != std::string::npos) return false;
    return codePage.toWide(narrow, CodePage::Which::Thread) == text;
}

// The character at `at`: one unit, or a surrogate pair.
std::u16string_view characterAt(std::u16string_view text, std::size_t at) {
    const bool pair = isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1]);
    return text.substr(at, pair ? 2 : 1);
}

// Characters a message box could not show are named by their code.
std::u16string shown(std::u16string_view character) {
    const char16_t unit = character[0];
    const bool visible = character.size() == 2 || !(unit < 0x20 || (unit >= 0x7F && unit < 0xA0) ||
                                                    isHighSurrogate(unit) || isLowSurrogate(unit));
    if (visible) return std::u16string(character);
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(unit));
    return std::u16string(code, code + std::char_traits<char>::length(code));
}

std::u16string messageOf(std::u16string_view field, std::u16string_view characters) {
    std::u16string message(kUnsealableTextBefore);
    message += field;
    message += kUnsealableTextMiddle;
    for (std::size_t at = 0; at < characters.size();) {
        const std::u16string_view character = characterAt(characters, at);
        if (at > 0) message += u' ';
        message += shown(character);
        at += character.size();
    }
    message += kUnsealableTextAfter;
    return message;
}

}  // namespace

std::u16string UnsealableCharacters(std::u16string_view text, const CodePage& codePage) {
    std::u16string found;
    if (survives(text, codePage)) return found;
    for (std::size_t at = 0; at < text.size();) {
        const std::u16string_view character = characterAt(text, at);
        at += character.size();
        if (survives(character, codePage)) continue;
        // Each once, compared as whole characters: a lone surrogate never matches half a pair.
        bool seen = false;
        for (std::size_t i = 0; i < found.size() && !seen;) {
            const std::u16string_view known = characterAt(found, i);
            seen = known == character;
            i += known.size();
        }
        if (!seen) found += character;
    }
    return found;
}

UnsealableTextError::UnsealableTextError(std::u16string field, std::u16string characters)
    : std::runtime_error(Utf16ToUtf8(messageOf(field, characters))),
      field_(std::move(field)),
      characters_(std::move(characters)),
      message_(messageOf(field_, characters_)) {}

void RequireSealable(std::u16string_view field, std::u16string_view text, const CodePage& codePage) {
    std::u16string characters = UnsealableCharacters(text, codePage);
    if (!characters.empty()) throw UnsealableTextError(std::u16string(field), std::move(characters));
}

}  // namespace tarnwick
