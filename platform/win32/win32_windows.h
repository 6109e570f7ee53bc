// The window port over FindWindowExW, GetWindowTextW, SendMessageW(WM_COPYDATA),
// PostMessageW, ShowWindow/SetForegroundWindow, GetVersionExW and
// ChangeWindowMessageFilter; and the receiving side's unpacking of WM_COPYDATA.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/copy_data.h"
#include "platform/window_system.h"

namespace tarnwick {

class Win32Windows : public Windows {
public:
    std::vector<WindowRef> findTopLevel(std::u16string_view windowClass) override;
    std::vector<WindowRef> findChildren(WindowRef parent, std::u16string_view windowClass) override;
    WindowRef findFirstChild(WindowRef parent, std::u16string_view windowClass) override;
    std::u16string windowText(WindowRef window) override;
    std::intptr_t sendCopyData(WindowRef to, std::uintptr_t code, std::optional<std::u16string_view> text) override;
    void post(WindowRef to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void restoreAndBringToFront(WindowRef window) override;
    std::uint32_t majorVersion() override;
    bool allowFromLowerIntegrity(std::uint32_t message) override;
};

inline HWND ToHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
inline WindowRef ToWindowRef(HWND window) { return reinterpret_cast<WindowRef>(window); }

// For a WM_COPYDATA: the code and the text it may trust; nothing when the
// message holds no COPYDATASTRUCT.
inline std::optional<ReceivedCopyData> ReceiveCopyDataMessage(const COPYDATASTRUCT* data) {
    if (data == nullptr) return std::nullopt;
    return ReceiveCopyData(data->dwData, data->cbData, data->lpData);
}

}  // namespace tarnwick
