// Prompts on Windows: MessageBoxW, GetActiveWindow, and the modal dialogs
// built from in-memory templates.
#pragma once

#include "platform/prompts.h"

namespace tarnwick {

class Win32Prompts : public Prompts {
public:
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                   unsigned style) override;
    WindowRef activeWindow() override;
    bool askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look,
                            EntryDialogRules& rules) override;
};

// The password dialog's control ids, for tests that drive it.
inline constexpr int kPasswordEditId = 1001;
inline constexpr int kPasswordTextId = 1002;

}  // namespace tarnwick
