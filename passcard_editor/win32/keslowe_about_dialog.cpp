#include "passcard_editor/win32/keslowe_about_dialog.h"

#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_layout.h"

namespace tarnwick {

static_assert(IDD_ABOUT == kAboutDialogResource);

void KesloweAboutDialog::show(HWND owner) { runModal(IDD_ABOUT, owner); }

bool KesloweAboutDialog::onInitDialog() {
    SetWindowTextW(handle(), AsWide(texts_.title));
    SetDlgItemTextW(handle(), IDC_ABOUT_TEXT, AsWide(texts_.text));
    CentreOnOwner(handle());
    return true;
}

bool KesloweAboutDialog::onCommand(int id, int) {
    if (id != IDOK && id != IDCANCEL) return false;
    end(id);
    return true;
}

}  // namespace tarnwick
