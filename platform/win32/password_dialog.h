// The primary-password dialog on Windows: a prompt, one edit box in the look's
// font, OK and Cancel, centred on its owner.
#pragma once

#include <windows.h>

#include "platform/prompts.h"
#include "platform/win32/entry_dialog.h"

namespace tarnwick {

// The password dialog's control ids, for tests that drive it.
inline constexpr int kPasswordEditId = 1001;
inline constexpr int kPasswordTextId = 1002;

class PasswordDialog : public EntryDialog {
public:
    PasswordDialog(const PasswordDialogLook& look, EntryDialogRules& rules);
    ~PasswordDialog() override;

    // True when the rules accepted a password with OK.
    bool show(HWND owner);

private:
    bool onInitDialog() override;
    void onDestroy() override;

    const PasswordDialogLook& look_;
    HFONT font_ = nullptr;
};

}  // namespace tarnwick
