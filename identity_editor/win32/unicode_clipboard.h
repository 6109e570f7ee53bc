// Putting a text on the clipboard as Unicode text.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick {

// Empties the clipboard and puts `text` on it; false when the clipboard could
// not be opened or the memory not allocated (the clipboard is then left as it was
// or empty).
bool PutUnicodeText(HWND owner, const std::u16string& text);

}  // namespace tarnwick
