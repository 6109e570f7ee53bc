#include "support/own_windows.h"

#ifdef _WIN32
namespace tarnwick::testing {

HWND WaitForOwnWindow(const wchar_t* windowClass, const wchar_t* title, std::chrono::milliseconds bound, HWND except) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    do {
        for (HWND w = FindWindowExW(nullptr, nullptr, windowClass, title); w;
             w = FindWindowExW(nullptr, w, windowClass, title)) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (w != except && process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
        }
        Sleep(20);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

}  // namespace tarnwick::testing
#endif
