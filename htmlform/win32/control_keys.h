// What the form's controls do with keys and the wheel that no Win32 control
// does by itself: Tab and Shift+Tab move through the inputs in document order
// whatever the program's message loop is, and the wheel over a control
// scrolls the page (over a closed drop-down list too, instead of changing
// the choice), and the program may put its own context menu in place of a
// control's.
#pragma once

#include <windows.h>

namespace tarnwick {

class ControlKeyListener {
public:
    virtual ~ControlKeyListener() = default;
    // Tab (or Shift+Tab) pressed in `control`.
    virtual void onTabKey(HWND control, bool backwards) = 0;
    // The wheel turned over `control`, which does not use it.
    virtual void onControlWheel(WPARAM wParam, LPARAM lParam) = 0;
    // The context menu asked for over `control` (at `lParam`'s screen point, or
    // -1 from the keyboard): true when the listener showed one of its own.
    virtual bool onControlContextMenu(HWND control, LPARAM lParam) = 0;
};

// Watches `control`'s keys for `listener` until the control is destroyed.
void WatchControlKeys(HWND control, ControlKeyListener& listener);

}  // namespace tarnwick
