#include "platform/win32/dialog_banner.h"

#include "platform/win32/resources/shared_resources.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr int kIconSize = 32;

HFONT makeBoldFont(HWND dialog) {
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

DialogBanner::~DialogBanner() {
    if (font_ != nullptr) DeleteObject(font_);
}

void DialogBanner::attach(HWND dialog) {
    icon_ = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM));
    if (icon_ == nullptr) icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    if (font_ == nullptr) font_ = makeBoldFont(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left, r.top + kBannerHeight, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT w;
    GetWindowRect(dialog, &w);
    SetWindowPos(dialog, nullptr, 0, 0, w.right - w.left, w.bottom - w.top + kBannerHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void DialogBanner::paint(HWND dialog) const {
    PAINTSTRUCT paintInfo;
    HDC dc = BeginPaint(dialog, &paintInfo);
    RECT client;
    GetClientRect(dialog, &client);
    RECT banner{0, 0, client.right, kBannerHeight};
    FillRect(dc, &banner, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &banner, EDGE_ETCHED, BF_RECT);
    DrawIconEx(dc, 4, (kBannerHeight - kIconSize) / 2, icon_, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    RECT textBox{kIconSize + 12, 0, client.right - 4, kBannerHeight};
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, AsWide(text_), static_cast<int>(text_.size()), &textBox, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(dialog, &paintInfo);
}

}  // namespace tarnwick
