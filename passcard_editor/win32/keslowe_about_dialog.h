// The Passcard Editor's About box (dialog resource 100): the program icon, the
// editor's name and version, and OK; its texts are the editor's, set when the
// box opens. Centred on its owner.
#pragma once

#include <windows.h>

#include "editor_common/about_box.h"
#include "platform/win32/dialog_base.h"

namespace tarnwick {

class KesloweAboutDialog : public DialogBase {
public:
    explicit KesloweAboutDialog(const AboutBoxTexts& texts) : texts_(texts) {}
    // Shows the box modally over `owner` until OK or Cancel.
    void show(HWND owner);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

    const AboutBoxTexts& texts_;
};

}  // namespace tarnwick
