#include "tray/win32/tray_window.h"

#include <wtsapi32.h>

#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "tray/resources/brenholt_resources.h"
#include "tray/win32/about_dialog.h"

namespace tarnwick {

static_assert(IDM_EXIT == tray_message::kCommandExit && IDM_ABOUT == tray_message::kCommandAbout,
              "the tray menu's commands are the tray window's commands");

namespace {

constexpr UINT_PTR kIdleTimerId = 1;

using RegisterSessionNotification = BOOL(WINAPI*)(HWND, DWORD);
using UnregisterSessionNotification = BOOL(WINAPI*)(HWND);

template <typename Function>
Function Find(HMODULE module, const char* name) {
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return found ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found)) : nullptr;
}

}  // namespace

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
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_LOCK) service_.onSessionLocked();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) service_.onSuspend();
            return TRUE;
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
    // Exit is the default item, which a double click on the icon chooses.
    if (popup_) SetMenuDefaultItem(popup_, IDM_EXIT, FALSE);
    icon_.add(ToWindowRef(handle()));
    watchSession();
    SetTimer(handle(), kIdleTimerId, kIdlePollMilliseconds, nullptr);
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
        case IDM_LOCK:
            service_.lockNow();
            break;
        default:
            break;
    }
    return true;
}

void TrayWindow::onTimer(UINT_PTR id) {
    if (id != kIdleTimerId) return;
    LASTINPUTINFO input = {sizeof input, 0};
    if (!GetLastInputInfo(&input)) return;
    // Tick counts wrap after 49.7 days; the unsigned difference does not care.
    service_.onIdle(GetTickCount() - input.dwTime);
}

// Session locks arrive as WM_WTSSESSION_CHANGE once the window is registered.
// The library is loaded by name: a system without it (or, as under Wine, one
// that accepts the registration but never locks) leaves the other triggers.
void TrayWindow::watchSession() {
    sessionApi_ = LoadLibraryW(L"wtsapi32.dll");
    const auto registerWindow = Find<RegisterSessionNotification>(sessionApi_, "WTSRegisterSessionNotification");
    if (registerWindow && registerWindow(handle(), NOTIFY_FOR_THIS_SESSION)) return;
    if (sessionApi_) FreeLibrary(sessionApi_);
    sessionApi_ = nullptr;
}

void TrayWindow::unwatchSession() {
    if (!sessionApi_) return;
    if (const auto unregisterWindow =
            Find<UnregisterSessionNotification>(sessionApi_, "WTSUnRegisterSessionNotification")) {
        unregisterWindow(handle());
    }
    FreeLibrary(sessionApi_);
    sessionApi_ = nullptr;
}

void TrayWindow::onDestroy() {
    KillTimer(handle(), kIdleTimerId);
    unwatchSession();
    icon_.remove();
    if (menu_) DestroyMenu(menu_);
    menu_ = popup_ = nullptr;
}

void TrayWindow::showAbout() {
    AboutDialog about;
    about.show(GetActiveWindow());
}

}  // namespace tarnwick
