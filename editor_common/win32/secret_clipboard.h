// The editors' one way to put a secret on the clipboard: the Unicode text with
// the registered formats by which Windows leaves it out of the clipboard
// history and the cloud clipboard and clipboard tools leave it alone; and
// emptied again after the user's delay, or when the editor ends first, while
// the clipboard still holds what the editor put there.
#pragma once

#include <windows.h>

#include <string_view>

#include "editor_common/clipboard_claim.h"

namespace tarnwick {

class SecretClipboard {
public:
    // The owner window's timer for the delay; the editors' main windows have no other.
    static constexpr UINT_PTR kClearTimer = 0x5EC7;

    SecretClipboard() = default;
    SecretClipboard(const SecretClipboard&) = delete;
    SecretClipboard& operator=(const SecretClipboard&) = delete;
    // The program's end: empties the clipboard while it still holds our text.
    ~SecretClipboard() { clearIfOurs(nullptr); }

    // Replaces the clipboard's content with `text` and the four formats, and
    // arms `owner`'s timer for `clearSeconds` (0: the text stays). False when
    // the clipboard could not be opened or filled (it then holds nothing of
    // the text) or the text has a NUL, which the Unicode text cannot hold.
    bool put(HWND owner, std::u16string_view text, int clearSeconds);
    // WM_TIMER: true when `id` is the delay's, which then ends.
    bool onTimer(HWND owner, UINT_PTR id);
    // Empties the clipboard if it still holds what `put` left there.
    void clearIfOurs(HWND owner);

private:
    ClipboardClaim claim_;
};

}  // namespace tarnwick
