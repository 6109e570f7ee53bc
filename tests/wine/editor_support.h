// What the editors' end-to-end tests share: a stand-in for the tray's window
// that records the library-change notices, the clipboard's text, and windows
// read as another program reads them.
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

// A window's text as any program on the desktop reads it: GetWindowText,
// which asks nothing of another process's window.
std::wstring ReadableText(HWND window);
// The readable texts of a form pane's visible controls, one per line.
std::wstring VisibleTexts(HWND form);
// Every descendant of `top`, shown or not (EnumChildWindows).
std::vector<HWND> AllChildWindows(HWND top);

}  // namespace tarnwick::testing
