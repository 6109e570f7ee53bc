#include "htmlform/win32/native_controls.h"

#include <commctrl.h>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

struct ControlLook {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlLook lookOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
    switch (kind) {
        case ControlKind::Text:
            return {WC_STATICW, kChild | SS_LEFT | SS_NOPREFIX | SS_LEFTNOWORDWRAP, 0};
        case ControlKind::Edit:
            return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Password:
            return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE};
        // The document decides which radio is checked: no automatic radio styles.
        case ControlKind::Radio:
            return {WC_BUTTONW, kChild | WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY, 0};
        case ControlKind::CheckBox:
            return {WC_BUTTONW, kChild | WS_TABSTOP | BS_CHECKBOX | BS_NOTIFY, 0};
        case ControlKind::DropDownList:
            return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0};
    }
    return {WC_STATICW, kChild, 0};
}

constexpr wchar_t kPasswordBullet = 0x25CF;
constexpr int kInputMargin = 1;

// The height a drop-down list is created with: its field plus the list it drops.
constexpr int kDroppedListHeight = 240;

}  // namespace

HWND CreateNativeControl(HWND parent, ControlKind kind, int id, HFONT font) {
    const ControlLook look = lookOf(kind);
    const int height = kind == ControlKind::DropDownList ? kDroppedListHeight : 10;
    HWND control =
        CreateWindowExW(look.exStyle, look.className, L"", look.style, 0, 0, 10, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) return nullptr;
    SetControlFont(control, font);
    // Hidden characters as the pages' browser draws them, whatever the controls' version.
    if (kind == ControlKind::Password) SendMessageW(control, EM_SETPASSWORDCHAR, kPasswordBullet, 0);
    return control;
}

std::u16string ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(control, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

bool SetControlText(HWND control, const std::u16string& text) {
    if (ControlText(control) == text) return false;
    SetWindowTextW(control, AsWide(text));
    return true;
}

void SetControlChecked(HWND button, bool checked) {
    if (ControlChecked(button) != checked) SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ControlChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetListItems(HWND list, const std::vector<std::u16string>& items) {
    const auto count = static_cast<std::size_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    bool same = count == items.size();
    for (std::size_t i = 0; same && i < count; ++i) {
        const auto length = SendMessageW(list, CB_GETLBTEXTLEN, i, 0);
        std::u16string item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        same = item == items[i];
    }
    if (same) return;
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(item)));
}

void SetListSelection(HWND list, int index) {
    if (ListSelection(list) != index) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ListSelection(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

bool SetControlVisible(HWND control, bool visible) {
    const bool shown = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown == visible) return false;
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    return true;
}

void SetControlFont(HWND control, HFONT font) {
    if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) == font) return;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // An input box's text sits a pixel inside its border, as in the page's browser.
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    if (lstrcmpiW(className, WC_EDITW) == 0)
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kInputMargin, kInputMargin));
}

}  // namespace tarnwick
