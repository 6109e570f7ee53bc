#include "platform/win32/win32_windows.h"

#include "platform/win32/wide.h"

namespace tarnwick {

namespace {

// ChangeWindowMessageFilter's flag that lets the message through.
constexpr DWORD kMessageFilterAdd = 1;  // MSGFLT_ADD

using ChangeWindowMessageFilterFunction = BOOL(WINAPI*)(UINT, DWORD);

std::vector<WindowRef> findAll(HWND parent, std::u16string_view windowClass) {
    const std::u16string name(windowClass);
    std::vector<WindowRef> found;
    HWND previous = nullptr;
    while ((previous = FindWindowExW(parent, previous, AsWide(name), nullptr)) != nullptr) {
        found.push_back(ToWindowRef(previous));
    }
    return found;
}

}  // namespace

std::vector<WindowRef> Win32Windows::findTopLevel(std::u16string_view windowClass) {
    return findAll(nullptr, windowClass);
}

std::vector<WindowRef> Win32Windows::findChildren(WindowRef parent, std::u16string_view windowClass) {
    // A null parent would mean the desktop's children, that is the top-level windows.
    if (parent == kNoWindow) return {};
    return findAll(ToHwnd(parent), windowClass);
}

WindowRef Win32Windows::findFirstChild(WindowRef parent, std::u16string_view windowClass) {
    if (parent == kNoWindow) return kNoWindow;
    const std::u16string name(windowClass);
    return ToWindowRef(FindWindowExW(ToHwnd(parent), nullptr, AsWide(name), nullptr));
}

std::u16string Win32Windows::windowText(WindowRef window) {
    wchar_t text[kMaxWindowTextChars + 1] = {};
    const int length = GetWindowTextW(ToHwnd(window), text, static_cast<int>(kMaxWindowTextChars + 1));
    return FromWide(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::intptr_t Win32Windows::sendCopyData(WindowRef to, std::uintptr_t code, std::optional<std::u16string_view> text) {
    const CopyDataPayload payload = CopyDataPayload::of(code, text);
    COPYDATASTRUCT data;
    data.dwData = payload.code();
    data.cbData = payload.byteCount();
    data.lpData = const_cast<void*>(payload.data());
    return SendMessageW(ToHwnd(to), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void Win32Windows::post(WindowRef to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageW(ToHwnd(to), message, wParam, lParam);
}

void Win32Windows::restoreAndBringToFront(WindowRef window) {
    ShowWindow(ToHwnd(window), SW_RESTORE);
    SetForegroundWindow(ToHwnd(window));
}

std::uint32_t Win32Windows::majorVersion() {
    // GetVersionExW on purpose: the programs act on the version the system
    // reports to them, not the one RtlGetVersion would give.
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExW(&info)) return 0;
    return info.dwMajorVersion;
}

bool Win32Windows::allowFromLowerIntegrity(std::uint32_t message) {
    // Looked up at run time: the function does not exist before version 6.
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (user32 == nullptr) return false;
    bool allowed = false;
    if (FARPROC found = GetProcAddress(user32, "ChangeWindowMessageFilter")) {
        auto change = reinterpret_cast<ChangeWindowMessageFilterFunction>(reinterpret_cast<void (*)()>(found));
        allowed = change(message, kMessageFilterAdd) != FALSE;
    }
    FreeLibrary(user32);
    return allowed;
}

}  // namespace tarnwick
