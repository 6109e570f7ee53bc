#include "passcard_editor/passcard_key_watch.h"

namespace tarnwick {
namespace {

// The keys that type into a box (without Ctrl).
bool typesText(std::uintptr_t key) {
    return (key >= 0x30 && key <= 0x5A)     // digits and letters
           || (key >= 0x60 && key <= 0x6F)  // numeric pad
           || (key >= 0xBA && key <= 0xC0)  // punctuation
           || (key >= 0xDB && key <= 0xDD)  // brackets and backslash
           || key == 0x20;                  // space
}

}  // namespace

KeyWatchVerdict WatchKey(std::uint32_t message, std::uintptr_t virtualKey, bool ctrlDown) {
    if (message != kMessageKeyDown) return {false, true};
    if (virtualKey == kVirtualKeyBack) return {true, false};
    return {typesText(virtualKey) && !ctrlDown, true};
}

}  // namespace tarnwick
