// Prompts on Windows: MessageBoxW, GetActiveWindow and the name dialogs.
#pragma once

#include "platform/prompts.h"

namespace tarnwick {

class Win32Prompts : public Prompts {
public:
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                   unsigned style) override;
    WindowRef activeWindow() override;
    bool askName(WindowRef owner, NameDialogRequest& request) override;
};

}  // namespace tarnwick
