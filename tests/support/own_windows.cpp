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

HWND FindControl(HWND top, int id, const wchar_t* windowClass) {
    struct Search {
        int id;
        const wchar_t* windowClass;
        HWND found;
    } search{id, windowClass, nullptr};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            const bool match =
                s->windowClass != nullptr ? _wcsicmp(name, s->windowClass) == 0 : GetDlgCtrlID(child) == s->id;
            if (!match) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace tarnwick::testing
#endif
