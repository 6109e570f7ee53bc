// Prompts for card records used without a window: the owner error of a load
// is answered at once, since the caller reports the card itself.
#pragma once

#include "platform/prompts.h"

namespace tarnwick::transfer {

class QuietPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return 1; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules& rules) override {
        rules.cancel();
        return false;
    }
};

}  // namespace tarnwick::transfer
