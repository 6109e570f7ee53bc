#include "tray/win32/tray_window.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "tray/resources/brenholt_resources.h"
#include "tray/win32/about_dialog.h"

namespace tarnwick {

static_assert(IDM_EXIT == tray_message::kCommandExit && IDM_ABOUT == tray_message::kCommandAbout,
              "the tray menu's commands are the tray window's commands");

TrayWindow::TrayWindow(TrayService& service, TrayIcon& icon, HINSTANCE instance, std::function<void()> startUpdateCheck)
    : service_(service),
      icon_(icon),
      instance_(instance),
      startUpdateCheck_(std::move(startUpdateCheck)) {}

TrayWindow::~TrayWindow() { destroyWindow(); }

bool TrayWindow::create() {
    taskbarCreated_ = RegisterWindowMessageW(AsWide(std::u16string(tray_message::kTaskbarCreated)));
    return createWindow({.name = window_class::kTray}, {.title = kTrayWindowTitle,
                                                        .style = WS_POPUP | WS_BORDER | WS_SYSMENU,
                                                        .exStyle = WS_EX_TOOLWINDOW,
                                                        .x = 0,
                                                        .y = 0,
                                                        .width = 0,
                                                        .height = 0});
}

LRESULT TrayWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case tray_message::kNotifyIcon:
            onIconCallback(wParam, lParam);
            return 0;
        case tray_message::kQuit:
            onQuitRequest();
            return 0;
        case WM_HOTKEY:
            service_.onHotKey(static_cast<int>(wParam));
            return 0;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                icon_.onTaskbarCreated();
                return 0;
            }
            return WindowBase::onMessage(message, wParam, lParam);
    }
}

bool TrayWindow::onCreate() {
    menu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_TRAY_MENU));
    popup_ = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    if (popup_) SetMenuDefaultItem(popup_, 0, TRUE);
    icon_.add(ToWindowRef(handle()));
    if (service_.onCreate(ToWindowRef(handle())) && startUpdateCheck_) startUpdateCheck_();
    return true;
}

LRESULT TrayWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    const auto received = ReceiveCopyDataMessage(data);
    if (!received) return tray_code::kIgnoredReply;
    return service_.onCopyData(received->code, received->text);
}

void TrayWindow::onIconCallback(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId || popup_ == nullptr) return;
    const HWND window = handle();
    if (lParam == WM_RBUTTONUP) {
        POINT cursor;
        GetCursorPos(&cursor);
        SetForegroundWindow(window);
        TrackPopupMenu(popup_, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
        // Lets the menu close when the user clicks elsewhere.
        PostMessageW(window, WM_NULL, 0, 0);
    } else if (lParam == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(window);
        const UINT item = GetMenuDefaultItem(popup_, FALSE, GMDI_GOINTOPOPUPS);
        if (item != static_cast<UINT>(-1)) SendMessageW(window, WM_COMMAND, item, 0);
    }
}

void TrayWindow::onQuitRequest() {
    PostMessageW(handle(), WM_CLOSE, 0, 0);
    PostMessageW(handle(), WM_QUIT, 0, 0);
}

bool TrayWindow::onCommand(int id, int, HWND) {
    switch (id) {
        case IDM_EXIT:
            icon_.hide();
            break;
        case IDM_ABOUT:
            showAbout();
            break;
        default:
            break;
    }
    return true;
}

void TrayWindow::onDestroy() {
    icon_.remove();
    if (menu_) DestroyMenu(menu_);
    menu_ = popup_ = nullptr;
}

void TrayWindow::showAbout() {
    AboutDialog about;
    about.show(GetActiveWindow());
}

}  // namespace tarnwick
