// What the editors' end-to-end tests share: a stand-in for the tray's window
// that records the library-change notices, and the clipboard's text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/window_base.h"

namespace tarnwick::testing {

// The tray's window as far as an editor reaches it: it records the notices.
class RecordingTray : public WindowBase {
public:
    bool create();
    std::vector<std::pair<std::uintptr_t, std::u16string>> notices;

private:
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override;
};

// The clipboard's Unicode text, or nothing.
std::optional<std::wstring> ClipboardText();

// Presses one key combination as the keyboard would, into the foreground window.
void PressKeys(std::initializer_list<WORD> keys);
// The control with the keyboard focus in `window`'s thread, or null.
HWND FocusOf(HWND window);

}  // namespace tarnwick::testing
