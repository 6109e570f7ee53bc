#include "platform/win32/win32_prompts.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/dialog_template.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_name_dialog.h"

namespace tarnwick {
namespace {

// The edit's text is taken through a buffer of 260.
constexpr int kEditBufferChars = 260;

struct PasswordDialogState {
    const PasswordDialogLook* look;
    EntryDialogRules* rules;
    HFONT font = nullptr;
};

void centreOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT area{};
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT self{};
    GetWindowRect(dialog, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT createEditFont(const PasswordDialogLook& look) {
    LOGFONTW logFont{};
    logFont.lfHeight = look.fontHeight;
    const std::size_t length = std::min(look.fontFace.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(look.fontFace.begin(), length, logFont.lfFaceName);
    return CreateFontIndirectW(&logFont);
}

void onInit(HWND dialog, PasswordDialogState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    HWND edit = GetDlgItem(dialog, kPasswordEditId);
    SendMessageW(edit, EM_LIMITTEXT, state.look->maxChars, 0);
    state.font = createEditFont(*state.look);
    if (state.font) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    centreOnOwner(dialog);
}

void onOk(HWND dialog, PasswordDialogState& state) {
    wchar_t buffer[kEditBufferChars] = {};
    const int length = GetDlgItemTextW(dialog, kPasswordEditId, buffer, kEditBufferChars);
    std::u16string text = FromWide(buffer, static_cast<std::size_t>(std::max(length, 0)));
    SecureZeroMemory(buffer, sizeof buffer);
    ForwardOk(dialog, *state.rules, text);
    SecureZeroMemory(text.data(), text.size() * sizeof(char16_t));
}

INT_PTR CALLBACK passwordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PasswordDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            onInit(dialog, *reinterpret_cast<PasswordDialogState*>(lParam));
            return TRUE;
        case WM_COMMAND:
            if (!state) return FALSE;
            if (LOWORD(wParam) == IDOK) onOk(dialog, *state);
            else if (LOWORD(wParam) == IDCANCEL) ForwardCancel(dialog, *state->rules);
            else return FALSE;
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

int Win32Prompts::messageBox(WindowRef owner, const std::u16string& text,
                             const std::u16string& caption, unsigned style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), AsWide(text), AsWide(caption), style);
}

WindowRef Win32Prompts::activeWindow() {
    return reinterpret_cast<WindowRef>(GetActiveWindow());
}

bool Win32Prompts::askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look,
                                      EntryDialogRules& rules) {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 230, 78, look.title, 8,
                          u"MS Shell Dlg");
    layout.addItem(kDialogStatic, kPasswordTextId, SS_LEFT, 8, 8, 214, 20, look.prompt);
    layout.addItem(kDialogEdit, kPasswordEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 32, 214, 14, u"");
    layout.addItem(kDialogButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 112, 56, 52, 14, u"OK");
    layout.addItem(kDialogButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 170, 56, 52, 14, u"Cancel");
    PasswordDialogState state{&look, &rules};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(),
                                                   reinterpret_cast<HWND>(owner), passwordDialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (state.font) DeleteObject(state.font);
    return result == IDOK;
}

bool Win32Prompts::askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules) {
    return ShowNameDialog(reinterpret_cast<HWND>(owner), look, rules);
}

}  // namespace tarnwick
