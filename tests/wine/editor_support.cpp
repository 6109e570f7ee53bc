#include "wine/editor_support.h"

#include <iterator>

#include "platform/win32/win32_windows.h"

namespace tarnwick::testing {

bool RecordingTray::create() {
    return createWindow({.name = u"TARNWICKNTRAY"},
                        {.title = u"tray", .style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0});
}

LRESULT RecordingTray::onCopyData(HWND, const COPYDATASTRUCT* data) {
    if (const auto received = ReceiveCopyDataMessage(data)) {
        notices.emplace_back(received->code, received->text.value_or(u""));
    }
    return 0;
}

std::optional<std::wstring> ClipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)) return nullptr;
    return gui.hwndFocus;
}

std::wstring ReadableText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring VisibleTexts(HWND form) {
    std::wstring texts;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) texts += ReadableText(child) + L"\n";
    }
    return texts;
}

std::vector<HWND> AllChildWindows(HWND top) {
    std::vector<HWND> children;
    EnumChildWindows(
        top,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace tarnwick::testing
