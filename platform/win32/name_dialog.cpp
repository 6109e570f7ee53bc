#include "platform/win32/name_dialog.h"

#include "platform/win32/resources/shared_resources.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr WORD kLabelId = 1000;
constexpr int kBannerIconSize = 32;

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

}  // namespace

NameDialog::NameDialog(const NameDialogLook& look, EntryDialogRules& rules)
    : EntryDialog(rules, look.editId != 0 ? look.editId : kNameEditId, look.maxChars),
      look_(look) {}

NameDialog::~NameDialog() {
    if (bannerFont_ != nullptr) DeleteObject(bannerFont_);
}

bool NameDialog::show(HWND owner) {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 220, 62, look_.title, 8,
                          u"MS Shell Dlg");
    layout.addItem(kDialogStatic, kLabelId, SS_LEFT, 8, 10, 204, 10, look_.label);
    layout.addItem(kDialogEdit, look_.editId != 0 ? look_.editId : kNameEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                   8, 22, 204, 13, u"");
    layout.addItem(kDialogButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 106, 42, 50, 14, u"OK");
    layout.addItem(kDialogButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 162, 42, 50, 14, u"Cancel");
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM));
    if (icon_ == nullptr) icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    return run(layout, owner);
}

bool NameDialog::onInitDialog() {
    EntryDialog::onInitDialog();
    SetWindowTextW(edit(), AsWide(look_.text));
    SendMessageW(edit(), EM_SETSEL, 0, -1);
    bannerFont_ = makeBannerFont(handle());
    makeRoomForBanner();
    centreOnOwner();
    SetFocus(edit());
    return false;
}

INT_PTR NameDialog::onMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_PAINT:
            paintBanner();
            return TRUE;
        default:
            return FALSE;
    }
}

void NameDialog::onRejected() { SetFocus(edit()); }

// Moves every control below the banner strip and grows the dialog to hold it.
void NameDialog::makeRoomForBanner() {
    const HWND dialog = handle();
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

// Over the window that asked, not in the middle of the screen away from it.
void NameDialog::centreOnOwner() {
    const HWND dialog = handle();
    const HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner == nullptr || !IsWindowVisible(owner)) return;
    RECT o;
    RECT d;
    GetWindowRect(owner, &o);
    GetWindowRect(dialog, &d);
    const int x = o.left + ((o.right - o.left) - (d.right - d.left)) / 2;
    const int y = o.top + ((o.bottom - o.top) - (d.bottom - d.top)) / 2;
    SetWindowPos(dialog, nullptr, x > 0 ? x : 0, y > 0 ? y : 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void NameDialog::paintBanner() {
    const HWND dialog = handle();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    RECT client;
    GetClientRect(dialog, &client);
    RECT banner{0, 0, client.right, kNameBannerHeight};
    FillRect(dc, &banner, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &banner, EDGE_ETCHED, BF_RECT);
    DrawIconEx(dc, 4, (kNameBannerHeight - kBannerIconSize) / 2, icon_, kBannerIconSize, kBannerIconSize, 0, nullptr,
               DI_NORMAL);
    RECT textBox{kBannerIconSize + 12, 0, client.right - 4, kNameBannerHeight};
    const HGDIOBJ oldFont = SelectObject(dc, bannerFont_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, AsWide(look_.title), -1, &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(dialog, &paint);
}

}  // namespace tarnwick
