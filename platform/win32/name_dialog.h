// The name dialogs on Windows: a small modal dialog with a painted banner strip
// (a 3-D frame, the icon and the banner text), a label, one edit box, OK and
// Cancel. OK and Cancel go to the portable rules, which show any box themselves.
#pragma once

#include <windows.h>

#include "platform/prompts.h"
#include "platform/win32/dialog_banner.h"
#include "platform/win32/entry_dialog.h"

namespace tarnwick {

// The edit box's control id when the look names none, for tests that type into it.
inline constexpr int kNameEditId = 1001;

class NameDialog : public EntryDialog {
public:
    NameDialog(const NameDialogLook& look, EntryDialogRules& rules);

    // True when the rules accepted a name with OK.
    bool show(HWND owner);

private:
    bool onInitDialog() override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onRejected() override;

    const NameDialogLook& look_;
    DialogBanner banner_;
};

}  // namespace tarnwick
