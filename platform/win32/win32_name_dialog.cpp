#include "platform/win32/win32_name_dialog.h"

#include <string>

#include "platform/win32/dialog_template.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr WORD kLabelId = 1000;
constexpr int kProgramIconId = 128;
constexpr int kBannerIconSize = 32;

struct NameDialogState {
    const NameDialogLook* look;
    EntryDialogRules* rules;
    HICON icon = nullptr;
    HFONT bannerFont = nullptr;
};

// Moves every control below the banner strip and grows the dialog to hold it.
void makeRoomForBanner(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left, r.top + kNameBannerHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT w;
    GetWindowRect(dialog, &w);
    SetWindowPos(dialog, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + kNameBannerHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
}

HFONT makeBannerFont(HWND dialog) {
    LOGFONTW font{};
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (dialogFont == nullptr || GetObjectW(dialogFont, sizeof font, &font) == 0) {
        font.lfHeight = -11;
        lstrcpyW(font.lfFaceName, L"MS Shell Dlg");
    }
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

void paintBanner(HWND dialog, const NameDialogState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT client;
    GetClientRect(dialog, &client);
    RECT banner{0, 0, client.right, kNameBannerHeight};
    FillRect(dc, &banner, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &banner, EDGE_ETCHED, BF_RECT);
    DrawIconEx(dc, 4, (kNameBannerHeight - kBannerIconSize) / 2, state.icon, kBannerIconSize, kBannerIconSize, 0,
               nullptr, DI_NORMAL);
    RECT textBox{kBannerIconSize + 12, 0, client.right - 4, kNameBannerHeight};
    const HGDIOBJ oldFont = SelectObject(dc, state.bannerFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, AsWide(state.look->title), -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(dialog, &paint);
}

void onInit(HWND dialog, NameDialogState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const HWND edit = GetDlgItem(dialog, kNameEditId);
    SendMessageW(edit, EM_LIMITTEXT, state.look->maxChars, 0);
    SetWindowTextW(edit, AsWide(state.look->text));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    state.bannerFont = makeBannerFont(dialog);
    makeRoomForBanner(dialog);
    SetFocus(edit);
}

void onOk(HWND dialog, NameDialogState& state) {
    const HWND edit = GetDlgItem(dialog, kNameEditId);
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    if (!ForwardOk(dialog, *state.rules, FromWide(typed.c_str(), typed.size()))) SetFocus(edit);
}

INT_PTR CALLBACK nameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<NameDialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: onInit(dialog, *reinterpret_cast<NameDialogState*>(lParam)); return FALSE;
    case WM_PAINT:
        if (!state) return FALSE;
        paintBanner(dialog, *state);
        return TRUE;
    case WM_COMMAND:
        if (!state) return FALSE;
        if (LOWORD(wParam) == IDOK) onOk(dialog, *state);
        else if (LOWORD(wParam) == IDCANCEL) ForwardCancel(dialog, *state->rules);
        else return FALSE;
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool ShowNameDialog(HWND owner, const NameDialogLook& look, EntryDialogRules& rules) {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 220, 62, look.title, 8,
                          u"MS Shell Dlg");
    layout.addItem(kDialogStatic, kLabelId, SS_LEFT, 8, 10, 204, 10, look.label);
    layout.addItem(kDialogEdit, kNameEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 22, 204, 13, u"");
    layout.addItem(kDialogButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 42, 50, 14, u"OK");
    layout.addItem(kDialogButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 162, 42, 50, 14, u"Cancel");
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
    NameDialogState state{&look, &rules, icon};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner, nameDialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (state.bannerFont != nullptr) DeleteObject(state.bannerFont);
    return result == IDOK;
}

}  // namespace tarnwick
