#include "tray/win32/about_dialog.h"

#include "platform/win32/window_layout.h"
#include "tray/resources/brenholt_resources.h"

namespace tarnwick {

void AboutDialog::show(HWND owner) { runModal(IDD_ABOUT, owner); }

bool AboutDialog::onInitDialog() {
    CentreOnOwner(handle());
    return true;
}

bool AboutDialog::onCommand(int id, int) {
    if (id != IDOK && id != IDCANCEL) return false;
    end(id);
    return true;
}

}  // namespace tarnwick
