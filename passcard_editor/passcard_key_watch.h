// The keyboard watch of the Passcard Editor: which keyboard and mouse
// messages mark the card changed, and which are offered to the form page for
// its own keyboard handling before they are dispatched.
#pragma once

#include <cstdint>

namespace tarnwick {

inline constexpr std::uint32_t kMessageKeyDown = 0x0100;  // WM_KEYDOWN
inline constexpr std::uint32_t kVirtualKeyBack = 0x08;    // VK_BACK

struct KeyWatchVerdict {
    bool marksChanged = false;
    bool offerToPage = true;
    bool operator==(const KeyWatchVerdict&) const = default;
};

// A keyboard or mouse message not aimed at the library tree: a key-down of
// Backspace marks the card changed; one of a letter, digit, numeric-pad,
// punctuation key or the space bar too, unless Ctrl is held. Every message
// but the Backspace key-down goes to the page as well.
KeyWatchVerdict WatchKey(std::uint32_t message, std::uintptr_t virtualKey, bool ctrlDown);

}  // namespace tarnwick
