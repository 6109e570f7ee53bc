#include "platform/win32/window_layout.h"

#include <algorithm>
#include <iterator>

namespace tarnwick {

void CentreOnOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT area{};
    if (owner == nullptr || !GetWindowRect(owner, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT self{};
    GetWindowRect(window, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
