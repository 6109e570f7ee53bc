#include "platform/win32/dialog_base.h"

namespace tarnwick {

INT_PTR DialogBase::runModal(const DialogTemplate& layout, HWND owner) {
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner,
                                                   &DialogBase::dialogProc, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    return result;
}

INT_PTR DialogBase::runModal(int resourceId, HWND owner) {
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                                           &DialogBase::dialogProc, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    return result;
}

bool DialogBase::createModeless(const DialogTemplate& layout, HWND owner) {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner, &DialogBase::dialogProc,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR DialogBase::reply(LRESULT result) {
    SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, result);
    return TRUE;
}

void DialogBase::end(INT_PTR result) { EndDialog(dialog_, result); }

bool DialogBase::onCommand(int, int) { return false; }

INT_PTR DialogBase::onMessage(UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK DialogBase::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogBase*>(lParam);
        self->dialog_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->dialog_ = nullptr;
        return FALSE;
    }
    return self->dispatch(message, wParam, lParam);
}

INT_PTR DialogBase::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog() ? TRUE : FALSE;
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_DESTROY:
            onDestroy();
            return FALSE;
        default:
            return onMessage(message, wParam, lParam);
    }
}

}  // namespace tarnwick
