#include "platform/win32/win32_prompts.h"

#include <windows.h>

#include "platform/win32/name_dialog.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/wide.h"

namespace tarnwick {

int Win32Prompts::messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                             unsigned style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), AsWide(text), AsWide(caption), style);
}

WindowRef Win32Prompts::activeWindow() { return reinterpret_cast<WindowRef>(GetActiveWindow()); }

bool Win32Prompts::askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look, EntryDialogRules& rules) {
    PasswordDialog dialog(look, rules);
    return dialog.show(reinterpret_cast<HWND>(owner));
}

bool Win32Prompts::askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules) {
    NameDialog dialog(look, rules);
    return dialog.show(reinterpret_cast<HWND>(owner));
}

}  // namespace tarnwick
