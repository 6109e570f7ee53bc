#include "htmlform/win32/control_keys.h"

#include <commctrl.h>

namespace tarnwick {
namespace {

// The control's own procedure and its listener, kept in the control's user
// data. Not SetWindowSubclass: it looks up a window property on every
// message, and under Wine each look-up is a call to the server, thousands of
// them whenever a page's controls are moved.
struct Watch {
    WNDPROC original;
    ControlKeyListener* listener;
};

// A dropped list scrolls its items; every other control of the form leaves the wheel to the page.
bool usesWheel(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, WC_COMBOBOXW) == 0 && SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

LRESULT CALLBACK watchProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* watch = reinterpret_cast<Watch*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (watch == nullptr) return DefWindowProcW(control, message, wParam, lParam);
    const WNDPROC original = watch->original;
    ControlKeyListener& listener = *watch->listener;
    switch (message) {
        case WM_GETDLGCODE:
            // A dialog manager in the program's loop leaves Tab to us.
            return CallWindowProcW(original, control, message, wParam, lParam) | DLGC_WANTTAB;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                listener.onTabKey(control, GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            break;
        case WM_CHAR:
            // Tab's character has nothing to type; Enter and Escape have no form to
            // submit or reset, and a one-line edit control would only beep at them.
            if (wParam == L'\t' || wParam == L'\r' || wParam == 0x1B) return 0;
            break;
        case WM_MOUSEWHEEL:
            if (!usesWheel(control)) {
                listener.onControlWheel(wParam, lParam);
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            if (listener.onControlContextMenu(control, lParam)) return 0;
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            SetWindowLongPtrW(control, GWLP_USERDATA, 0);
            delete watch;
            break;
        default:
            break;
    }
    return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

void WatchControlKeys(HWND control, ControlKeyListener& listener) {
    // Watched already: only the listener changes (chaining twice would loop).
    if (GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&watchProc)) {
        reinterpret_cast<Watch*>(GetWindowLongPtrW(control, GWLP_USERDATA))->listener = &listener;
        return;
    }
    auto* watch = new Watch{nullptr, &listener};
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(watch));
    watch->original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchProc)));
}

}  // namespace tarnwick
