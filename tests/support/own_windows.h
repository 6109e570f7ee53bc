// Finds the dialogs and boxes of this test process only: ctest runs Windows
// tests side by side, and another test's box of the same title must never be
// answered by this one.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <chrono>

namespace tarnwick::testing {

// The first visible top-level window of the class and title that belongs to
// this process, other than `except`; waits up to `bound`, nullptr after it.
HWND WaitForOwnWindow(const wchar_t* windowClass, const wchar_t* title, std::chrono::milliseconds bound,
                      HWND except = nullptr);

// The descendant control of `top` with that id, or of that class when the id
// is 0 (a form's controls live in its pane, a toolbar in its rebar).
HWND FindControl(HWND top, int id, const wchar_t* windowClass = nullptr);

}  // namespace tarnwick::testing
#endif
