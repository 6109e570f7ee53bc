// The Password Health window of the Passcard Editor: the report of the user's
// library in a list (card, field, finding), a summary line, and the buttons
// Breach file..., Refresh and Close. Double-clicking a line (or Enter on it)
// selects its card in the editor's tree, as a click there would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "passcard_editor/password_health_view.h"
#include "platform/win32/window_base.h"

namespace tarnwick {

inline constexpr std::u16string_view kHealthWindowClass = u"KesloweHealth";

class KesloweHealthWindow : public WindowBase {
public:
    KesloweHealthWindow(const OptionStore& options, std::function<void(const std::u16string&)> selectCard);
    ~KesloweHealthWindow() override;

    // Opens the window over `owner` (or brings it forward) with a fresh report.
    void show(HWND owner);
    // Tab between the controls, Enter and Escape, as in a dialog: true when
    // the message was the window's and is handled.
    bool translate(MSG& message);

private:
    bool onCreate() override;
    void onSize(int width, int height) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;

    HWND addChild(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id);
    // Runs the report, then draws it.
    void fill();
    void draw();
    void chooseBreachFile();
    void openLine(int item);

    PasswordHealthView view_;
    std::function<void(const std::u16string&)> selectCard_;
    HWND list_ = nullptr;
    HWND summary_ = nullptr;
    HWND breachButton_ = nullptr;
    HWND refreshButton_ = nullptr;
    HWND closeButton_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace tarnwick
