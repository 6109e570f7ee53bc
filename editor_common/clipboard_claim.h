// How long a copied secret may stay on the clipboard, and whether what is on
// the clipboard is still what the editor put there. The Win32 writer
// (win32/secret_clipboard.h) asks these before it empties the clipboard.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "foundation/option_store.h"

namespace tarnwick {

namespace option_key {
inline constexpr std::u16string_view kClipboardSeconds = u"[CLIPBOARDSECONDS]";
}  // namespace option_key

inline constexpr int kDefaultClipboardSeconds = 12;
// An hour: longer is no protection, and the timer's milliseconds stay far
// inside its range.
inline constexpr int kLongestClipboardSeconds = 3600;

// The delay from the option's value: decimal digits only, blanks around them
// allowed; 0 means never. An absent, empty, signed or otherwise unreadable
// value gives the default (a typing slip must not turn the clearing off);
// a value beyond the longest gives the longest.
int ClipboardSecondsFrom(std::u16string_view value);
// The delay from the user's option file, read without any error box.
int ClipboardSeconds(const OptionStore& options);

// The clipboard's sequence number right after the editor put its text there.
// The clipboard may be emptied only while the number is unchanged: anything
// copied since, by the user or a program, is theirs.
class ClipboardClaim {
public:
    // Our text is on the clipboard, which then had `sequence`. A zero number
    // (the clipboard's number could not be read) claims nothing: it could not
    // tell our text from the next.
    void claim(std::uint32_t sequence);
    // Whether the clipboard, whose number is `current`, may be emptied now; the
    // claim ends either way.
    bool release(std::uint32_t current);
    bool pending() const { return sequence_.has_value(); }

private:
    std::optional<std::uint32_t> sequence_;
};

}  // namespace tarnwick
