// The name dialogs on Windows: a small modal dialog with a painted banner strip
// (a 3-D frame, the icon and the banner text), a label, one edit box, OK and
// Cancel. OK and Cancel go to the portable rules, which show any box themselves.
#pragma once

#include <windows.h>

#include "platform/prompts.h"
#include "platform/win32/entry_dialog.h"

namespace tarnwick {

// The edit box's control id when the look names none, for tests that type into it.
inline constexpr int kNameEditId = 1001;
// The banner strip's height in pixels.
inline constexpr int kNameBannerHeight = 39;

class NameDialog : public EntryDialog {
public:
    NameDialog(const NameDialogLook& look, EntryDialogRules& rules);
    ~NameDialog() override;

    // True when the rules accepted a name with OK.
    bool show(HWND owner);

private:
    bool onInitDialog() override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onRejected() override;
    void makeRoomForBanner();
    void centreOnOwner();
    void paintBanner();

    const NameDialogLook& look_;
    HICON icon_ = nullptr;
    HFONT bannerFont_ = nullptr;
};

}  // namespace tarnwick
