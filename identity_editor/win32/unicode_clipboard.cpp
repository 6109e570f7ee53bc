#include "identity_editor/win32/unicode_clipboard.h"

#include <cstring>

namespace tarnwick {

bool PutUnicodeText(HWND owner, const std::u16string& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once set, the clipboard owns the memory.
    const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
    CloseClipboard();
    return put;
}

}  // namespace tarnwick
