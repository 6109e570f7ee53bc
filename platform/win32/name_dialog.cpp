#include "platform/win32/name_dialog.h"

#include "platform/win32/wide.h"
#include "platform/win32/window_layout.h"

namespace tarnwick {
namespace {

constexpr WORD kLabelId = 1000;
}  // namespace

NameDialog::NameDialog(const NameDialogLook& look, EntryDialogRules& rules)
    : EntryDialog(rules, look.editId != 0 ? look.editId : kNameEditId, look.maxChars),
      look_(look),
      banner_(look.title) {}

bool NameDialog::show(HWND owner) {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 220, 62, look_.title, 8,
                          u"MS Shell Dlg");
    layout.addItem(kDialogStatic, kLabelId, SS_LEFT, 8, 10, 204, 10, look_.label);
    layout.addItem(kDialogEdit, look_.editId != 0 ? look_.editId : kNameEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                   8, 22, 204, 13, u"");
    layout.addItem(kDialogButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 42, 50, 14, u"OK");
    layout.addItem(kDialogButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 162, 42, 50, 14, u"Cancel");
    return run(layout, owner);
}

bool NameDialog::onInitDialog() {
    EntryDialog::onInitDialog();
    SetWindowTextW(edit(), AsWide(look_.text));
    SendMessageW(edit(), EM_SETSEL, 0, -1);
    banner_.attach(handle());
    // Over the window that asked, not in the middle of the screen away from it.
    CentreOnOwner(handle());
    SetFocus(edit());
    return false;
}

INT_PTR NameDialog::onMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_PAINT:
            banner_.paint(handle());
            return TRUE;
        default:
            return FALSE;
    }
}

void NameDialog::onRejected() { SetFocus(edit()); }

}  // namespace tarnwick
