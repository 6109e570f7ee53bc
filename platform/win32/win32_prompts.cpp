#include "platform/win32/win32_prompts.h"

#include <windows.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_name_dialog.h"

namespace tarnwick {

int Win32Prompts::messageBox(WindowRef owner, const std::u16string& text,
                             const std::u16string& caption, unsigned style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), AsWide(text), AsWide(caption), style);
}

WindowRef Win32Prompts::activeWindow() {
    return reinterpret_cast<WindowRef>(GetActiveWindow());
}

bool Win32Prompts::askName(WindowRef owner, NameDialogRequest& request) {
    return ShowNameDialog(reinterpret_cast<HWND>(owner), request);
}

}  // namespace tarnwick
