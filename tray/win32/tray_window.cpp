#include "tray/win32/tray_window.h"

#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick {
namespace {

constexpr int kMenuResource = 128;
constexpr int kAboutDialogResource = 100;

void centreOnOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT ownerRect;
    RECT dialogRect;
    if (owner == nullptr || !GetWindowRect(owner, &ownerRect)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &ownerRect, 0);
    }
    GetWindowRect(dialog, &dialogRect);
    const int width = dialogRect.right - dialogRect.left;
    const int height = dialogRect.bottom - dialogRect.top;
    SetWindowPos(dialog, nullptr, ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2,
                 ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        centreOnOwner(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TrayWindow::TrayWindow(TrayService& service, TrayIcon& icon, HINSTANCE instance,
                       std::function<void()> startUpdateCheck)
    : service_(service), icon_(icon), instance_(instance), startUpdateCheck_(std::move(startUpdateCheck)) {}

bool TrayWindow::create() {
    const std::u16string name(window_class::kTray);
    taskbarCreated_ = RegisterWindowMessageW(AsWide(std::u16string(tray_message::kTaskbarCreated)));
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    info.lpfnWndProc = windowProc;
    info.hInstance = instance_;
    info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    info.lpszClassName = AsWide(name);
    RegisterClassExW(&info);
    const std::u16string title(kTrayWindowTitle);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, AsWide(name), AsWide(title),
                              WS_POPUP | WS_BORDER | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr,
                              instance_, this);
    return window_ != nullptr;
}

LRESULT CALLBACK TrayWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TrayWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TrayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT TrayWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_COPYDATA: return onCopyData(lParam);
    case tray_message::kNotifyIcon: onIconCallback(wParam, lParam); return 0;
    case tray_message::kQuit: onQuitRequest(); return 0;
    case WM_HOTKEY: service_.onHotKey(static_cast<int>(wParam)); return 0;
    case WM_COMMAND: onCommand(wParam); return 0;
    case WM_DESTROY: onDestroy(); return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            icon_.onTaskbarCreated();
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void TrayWindow::onCreate() {
    menu_ = LoadMenuW(instance_, MAKEINTRESOURCEW(kMenuResource));
    popup_ = menu_ ? GetSubMenu(menu_, 0) : nullptr;
    if (popup_) SetMenuDefaultItem(popup_, 0, TRUE);
    icon_.add(ToWindowRef(window_));
    if (service_.onCreate(ToWindowRef(window_)) && startUpdateCheck_) startUpdateCheck_();
}

LRESULT TrayWindow::onCopyData(LPARAM lParam) {
    const auto received = ReceiveCopyDataMessage(lParam);
    if (!received) return tray_code::kIgnoredReply;
    return service_.onCopyData(received->code, received->text);
}

void TrayWindow::onIconCallback(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId || popup_ == nullptr) return;
    if (lParam == WM_RBUTTONUP) {
        POINT cursor;
        GetCursorPos(&cursor);
        SetForegroundWindow(window_);
        TrackPopupMenu(popup_, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window_, nullptr);
        // Lets the menu close when the user clicks elsewhere.
        PostMessageW(window_, WM_NULL, 0, 0);
    } else if (lParam == WM_LBUTTONDBLCLK) {
        SetForegroundWindow(window_);
        const UINT item = GetMenuDefaultItem(popup_, FALSE, GMDI_GOINTOPOPUPS);
        if (item != static_cast<UINT>(-1)) SendMessageW(window_, WM_COMMAND, item, 0);
    }
}

void TrayWindow::onQuitRequest() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    PostMessageW(window_, WM_QUIT, 0, 0);
}

void TrayWindow::onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case tray_message::kCommandExit: icon_.hide(); break;
    case tray_message::kCommandAbout: showAbout(); break;
    default: break;
    }
}

void TrayWindow::onDestroy() {
    icon_.remove();
    if (menu_) DestroyMenu(menu_);
    menu_ = popup_ = nullptr;
}

void TrayWindow::showAbout() {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(kAboutDialogResource), GetActiveWindow(), aboutProc, 0);
}

}  // namespace tarnwick
