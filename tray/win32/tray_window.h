// The tray program's hidden window "TARNWICKNTRAY": its messages go to the
// portable services and the icon; session locks, suspends and the idle poll
// go to the lock.
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
    void onTimer(UINT_PTR id) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onIconCallback(WPARAM wParam, LPARAM lParam);
    void onQuitRequest();
    void showAbout();
    void watchSession();
    void unwatchSession();

    TrayService& service_;
    TrayIcon& icon_;
    HINSTANCE instance_;
    std::function<void()> startUpdateCheck_;
    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
    UINT taskbarCreated_ = 0;
    HMODULE sessionApi_ = nullptr;  // wtsapi32.dll while the session is watched
};

}  // namespace tarnwick
