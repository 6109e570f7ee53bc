#include "platform/win32/window_layout.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace tarnwick {

void CentreOnOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT area{};
    if (owner == nullptr || !IsWindowVisible(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT self{};
    GetWindowRect(window, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    const int x = std::max(0L, area.left + (area.right - area.left - width) / 2);
    const int y = std::max(0L, area.top + (area.bottom - area.top - height) / 2);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetTopmost(HWND window, bool on) {
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
    if (!on || (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) return;
    // Some window systems keep the pop-ups a window owns (its controls'
    // tooltips, which are topmost) above it and slot the window in right below
    // them, outside the topmost band. The pop-ups are let go of for the move
    // and owned again after it.
    struct Owned {
        HWND owner;
        std::vector<HWND> popups;
    } owned{window, {}};
    EnumThreadWindows(
        GetWindowThreadProcessId(window, nullptr),
        [](HWND popup, LPARAM data) -> BOOL {
            auto* found = reinterpret_cast<Owned*>(data);
            if (GetWindow(popup, GW_OWNER) == found->owner) found->popups.push_back(popup);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&owned));
    for (HWND popup : owned.popups) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, 0);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    for (HWND popup : owned.popups) SetWindowLongPtrW(popup, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

LOGFONTW LogFontFromFace(std::u16string_view face, int height) {
    LOGFONTW logFont{};
    logFont.lfHeight = height;
    const std::size_t length = std::min(face.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(face.begin(), length, logFont.lfFaceName);
    return logFont;
}

HFONT CreateFontFromFace(std::u16string_view face, int height) {
    const LOGFONTW logFont = LogFontFromFace(face, height);
    return CreateFontIndirectW(&logFont);
}

}  // namespace tarnwick
