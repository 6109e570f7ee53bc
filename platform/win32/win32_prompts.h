// Prompts on Windows: MessageBoxW and GetActiveWindow.
#pragma once

#include "platform/prompts.h"

namespace tarnwick {

class Win32Prompts : public Prompts {
public:
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                   unsigned style) override;
    WindowRef activeWindow() override;
};

}  // namespace tarnwick
