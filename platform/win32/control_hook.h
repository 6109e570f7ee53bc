// A control's messages seen first by its owner, until the control is
// destroyed. Not SetWindowSubclass: it looks up a window property on every
// message, and under Wine each look-up is a call to the server, so that a
// tree filled with a folder of a hundred cards paid some 20 ms for it alone.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace tarnwick {

// The owner's answer to a message, or nothing to leave it to the control.
using ControlHandler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

// A control hooked already gets the new handler in place of the old one
// (hooking twice would loop).
void HookControl(HWND control, ControlHandler handler);
// Gives the control its own procedure back, for an owner that goes first.
void UnhookControl(HWND control);
// The control's own procedure, for a handler that adds to what it answers.
LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tarnwick
