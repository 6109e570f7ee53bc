// The tray program's About box (resource IDD_ABOUT), centred on its owner.
#pragma once

#include <windows.h>

#include "platform/win32/dialog_base.h"

namespace tarnwick {

class AboutDialog : public DialogBase {
public:
    // Shows the box modally over `owner` until OK or Cancel.
    void show(HWND owner);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
};

}  // namespace tarnwick
