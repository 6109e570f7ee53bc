// Prompts on Windows: MessageBoxW, GetActiveWindow, and the modal dialogs
// built from in-memory templates.
#pragma once

#include "platform/prompts.h"

namespace tarnwick {

class Win32Prompts : public Prompts {
public:
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption, unsigned style) override;
    WindowRef activeWindow() override;
    bool askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look, EntryDialogRules& rules) override;
    bool askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules) override;
};

}  // namespace tarnwick
