// The tray program's hidden window "TARNWICKNTRAY": its messages go to the
// portable services and the icon.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/window_base.h"
#include "tray/tray_icon.h"
#include "tray/tray_service.h"

namespace tarnwick {

class TrayWindow : public WindowBase {
public:
    // `startUpdateCheck` runs when the window is created and the service asks for it.
    TrayWindow(TrayService& service, TrayIcon& icon, HINSTANCE instance, std::function<void()> startUpdateCheck);
    ~TrayWindow() override;

    // Registers the class and creates the window; false when that fails.
    bool create();

private:
    bool onCreate() override;
    void onDestroy() override;
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;
    bool onCommand(int id, int code, HWND control) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onIconCallback(WPARAM wParam, LPARAM lParam);
    void onQuitRequest();
    void showAbout();

    TrayService& service_;
    TrayIcon& icon_;
    HINSTANCE instance_;
    std::function<void()> startUpdateCheck_;
    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
    UINT taskbarCreated_ = 0;
};

}  // namespace tarnwick
