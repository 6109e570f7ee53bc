// The painted banner strip at the top of Tarnwick's small dialogs: a 3-D
// frame, the program's icon and a bold banner text above the controls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

// The banner strip's height in pixels.
inline constexpr int kBannerHeight = 39;

class DialogBanner {
public:
    explicit DialogBanner(std::u16string_view text) : text_(text) {}
    ~DialogBanner();
    DialogBanner(const DialogBanner&) = delete;
    DialogBanner& operator=(const DialogBanner&) = delete;

    // From WM_INITDIALOG: makes the bold font, moves every control below the
    // strip and grows the dialog to hold it.
    void attach(HWND dialog);
    // WM_PAINT of the dialog.
    void paint(HWND dialog) const;

private:
    std::u16string text_;
    HICON icon_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace tarnwick
