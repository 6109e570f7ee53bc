#include "tray/win32/win32_notify_icon.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/win32/resources/shared_resources.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kShellVersionWithoutDllGetVersion = 4;
constexpr DWORD kDllVersionInfoSize = 20;

}  // namespace

std::uint32_t Win32NotifyIcon::shellMajorVersion() {
    if (shellVersion_ != 0) return shellVersion_;
    shellVersion_ = kShellVersionWithoutDllGetVersion;
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) return shellVersion_;
    const auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
    if (getVersion == nullptr) return shellVersion_;
    DLLVERSIONINFO info = {};
    info.cbSize = kDllVersionInfoSize;
    if (SUCCEEDED(getVersion(&info))) shellVersion_ = info.dwMajorVersion;
    return shellVersion_;
}

NOTIFYICONDATAW Win32NotifyIcon::dataOf(const NotifyIconRecord& record) const {
    NOTIFYICONDATAW data = {};
    // Never more than the structure this program was built with.
    data.cbSize = std::min<DWORD>(record.size, sizeof(NOTIFYICONDATAW));
    data.hWnd = ToHwnd(record.window);
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = icon_;
    // szTip holds 128 characters with the terminator.
    const std::size_t chars = std::min<std::size_t>(record.tip.size(), 127);
    std::copy_n(record.tip.begin(), chars, data.szTip);
    return data;
}

bool Win32NotifyIcon::add(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = dataOf(record);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool Win32NotifyIcon::setVersion(const NotifyIconRecord& record, unsigned version) {
    NOTIFYICONDATAW data = dataOf(record);
    data.uVersion = version;
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

bool Win32NotifyIcon::setState(const NotifyIconRecord& record, unsigned state, unsigned mask) {
    NOTIFYICONDATAW data = dataOf(record);
    data.uFlags = NIF_STATE;
    data.dwState = state;
    data.dwStateMask = mask;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool Win32NotifyIcon::remove(const NotifyIconRecord& record) {
    NOTIFYICONDATAW data = dataOf(record);
    data.uFlags = 0;
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

HICON Win32NotifyIcon::LoadTrayIcon(HINSTANCE instance) {
    HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    if (icon != nullptr) return static_cast<HICON>(icon);
    return LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
}

}  // namespace tarnwick
