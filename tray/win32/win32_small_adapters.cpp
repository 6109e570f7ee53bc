#include "tray/win32/win32_small_adapters.h"

#include <windows.h>
#include <wininet.h>

#include "platform/win32/win32_windows.h"

namespace tarnwick {

bool Win32HotKeys::registerHotKey(WindowRef window, int id, unsigned modifiers, unsigned virtualKey) {
    return RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32HotKeys::unregisterHotKey(WindowRef window, int id) { return UnregisterHotKey(ToHwnd(window), id) != FALSE; }

void Win32WindowDisplay::setVisible(WindowRef window, bool visible) {
    ShowWindow(ToHwnd(window), visible ? SW_SHOW : SW_HIDE);
    UpdateWindow(ToHwnd(window));
}

bool Win32Processes::terminateOwnerOf(WindowRef window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(ToHwnd(window), &processId);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    if (process == nullptr) return false;
    const bool ended = TerminateProcess(process, 0) != FALSE;
    CloseHandle(process);
    return ended;
}

void Win32InternetSettings::announceChange() {
    InternetSetOptionW(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
}

}  // namespace tarnwick
