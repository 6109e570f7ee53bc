#include "htmlform/win32/control_keys.h"

#include <commctrl.h>

#include <optional>

#include "platform/win32/control_hook.h"

namespace tarnwick {
namespace {

// A dropped list scrolls its items; every other control of the form leaves the wheel to the page.
bool usesWheel(HWND control) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, WC_COMBOBOXW) == 0 && SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

}  // namespace

void WatchControlKeys(HWND control, ControlKeyListener& listener) {
    // Watched already: the new listener takes over.
    HookControl(control, [control, &listener](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        switch (message) {
            case WM_GETDLGCODE:
                // A dialog manager in the program's loop leaves Tab to us.
                return CallControlProcedure(control, message, wParam, lParam) | DLGC_WANTTAB;
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
            default:
                break;
        }
        return std::nullopt;
    });
}

}  // namespace tarnwick
