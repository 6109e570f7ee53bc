// The tray program's hidden window "TARNWICKNTRAY": every message goes to one
// handler that forwards to the portable services and the icon.
#pragma once

#include <windows.h>

#include <functional>

#include "tray/tray_icon.h"
#include "tray/tray_service.h"

namespace tarnwick {

class TrayWindow {
public:
    // `startUpdateCheck` runs when the window is created and the service asks for it.
    TrayWindow(TrayService& service, TrayIcon& icon, HINSTANCE instance,
               std::function<void()> startUpdateCheck);

    // Registers the class and creates the window; false when that fails.
    bool create();
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    LRESULT onCopyData(LPARAM lParam);
    void onIconCallback(WPARAM wParam, LPARAM lParam);
    void onQuitRequest();
    void onCommand(WPARAM wParam);
    void onDestroy();
    void showAbout();

    TrayService& service_;
    TrayIcon& icon_;
    HINSTANCE instance_;
    std::function<void()> startUpdateCheck_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
    UINT taskbarCreated_ = 0;
};

}  // namespace tarnwick
