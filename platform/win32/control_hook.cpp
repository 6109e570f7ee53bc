#include "platform/win32/control_hook.h"

#include <utility>

namespace tarnwick {
namespace {

// The control's own procedure and the handler, kept in the control's user data.
struct Hook {
    WNDPROC original;
    ControlHandler handler;
};

WNDPROC unhook(HWND control, Hook* hook) {
    const WNDPROC original = hook->original;
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    delete hook;
    return original;
}

LRESULT CALLBACK hookProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* hook = reinterpret_cast<Hook*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (hook == nullptr) return DefWindowProcW(control, message, wParam, lParam);
    const WNDPROC original = hook->original;
    if (message == WM_NCDESTROY) {
        hook->handler(message, wParam, lParam);
        return CallWindowProcW(unhook(control, hook), control, message, wParam, lParam);
    }
    if (const std::optional<LRESULT> result = hook->handler(message, wParam, lParam)) return *result;
    return CallWindowProcW(original, control, message, wParam, lParam);
}

bool hooked(HWND control) { return GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&hookProc); }

}  // namespace

void HookControl(HWND control, ControlHandler handler) {
    if (hooked(control)) {
        reinterpret_cast<Hook*>(GetWindowLongPtrW(control, GWLP_USERDATA))->handler = std::move(handler);
        return;
    }
    auto* hook = new Hook{nullptr, std::move(handler)};
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
    hook->original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hookProc)));
}

void UnhookControl(HWND control) {
    if (hooked(control)) unhook(control, reinterpret_cast<Hook*>(GetWindowLongPtrW(control, GWLP_USERDATA)));
}

LRESULT CallControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* hook =
        hooked(control) ? reinterpret_cast<const Hook*>(GetWindowLongPtrW(control, GWLP_USERDATA)) : nullptr;
    if (hook == nullptr) return DefWindowProcW(control, message, wParam, lParam);
    return CallWindowProcW(hook->original, control, message, wParam, lParam);
}

}  // namespace tarnwick
