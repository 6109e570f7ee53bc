// The base of Tarnwick's dialogs, as WindowBase is of its windows: runs a dialog
// (modal or modeless, from an in-memory template or the program's resources)
// with `this` stored at WM_INITDIALOG, and turns its messages into calls on
// virtual onX handlers. Messages without a handler reach onMessage (FALSE: the
// dialog manager's default).
#pragma once

#include <windows.h>

#include "platform/win32/dialog_template.h"

namespace tarnwick {

class DialogBase {
public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;
    virtual ~DialogBase() = default;

    // The dialog while it is open, else nullptr.
    HWND handle() const { return dialog_; }

protected:
    DialogBase() = default;

    // Runs the dialog modally over `owner`; the value given to end, or -1 when
    // it could not be shown.
    INT_PTR runModal(const DialogTemplate& layout, HWND owner);
    // The same with a dialog of the program's resources.
    INT_PTR runModal(int resourceId, HWND owner);
    // Creates the dialog modeless over `owner` (nullptr: none); false when it
    // could not be. The object must outlive the dialog.
    bool createModeless(const DialogTemplate& layout, HWND owner);
    // EndDialog with `result`.
    void end(INT_PTR result);
    // From onMessage: `result` as the message's reply (DWLP_MSGRESULT), and TRUE.
    INT_PTR reply(LRESULT result);
    // The control of an id.
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    // WM_INITDIALOG; true lets the dialog manager focus the first control.
    virtual bool onInitDialog() { return true; }
    // WM_COMMAND; true when handled.
    virtual bool onCommand(int id, int code);
    // WM_DESTROY.
    virtual void onDestroy() {}
    // Every other message: TRUE when handled, as a dialog procedure answers.
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
};

}  // namespace tarnwick
