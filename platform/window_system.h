// The window system as the programs use it to reach each other and the browser:
// find windows by class, read a title, send copy-data, post, bring forward.
// Calls are synchronous, as SendMessageW is; the adapter is win32/win32_windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_ref.h"

namespace tarnwick {

// Window messages the core names.
inline constexpr std::uint32_t kMessageClose = 0x0010;     // WM_CLOSE
inline constexpr std::uint32_t kMessageCopyData = 0x004A;  // WM_COPYDATA

// Window titles are read into a buffer of 260, so at most 259 characters arrive.
inline constexpr std::size_t kMaxWindowTextChars = 259;

class Windows {
public:
    virtual ~Windows() = default;

    // Every top-level window of the class, in FindWindowExW order.
    virtual std::vector<WindowRef> findTopLevel(std::u16string_view windowClass) = 0;
    // Every child of `parent` of the class, in FindWindowExW order.
    virtual std::vector<WindowRef> findChildren(WindowRef parent, std::u16string_view windowClass) = 0;
    // The first child of the class, or kNoWindow.
    virtual WindowRef findFirstChild(WindowRef parent, std::u16string_view windowClass) = 0;
    // The window's title, at most kMaxWindowTextChars characters.
    virtual std::u16string windowText(WindowRef window) = 0;

    // WM_COPYDATA with `code` and, when given, the text as its payload; returns the reply.
    virtual std::intptr_t sendCopyData(WindowRef to, std::uintptr_t code, std::optional<std::u16string_view> text) = 0;
    virtual void post(WindowRef to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Restores a minimised window and makes it the foreground window.
    virtual void restoreAndBringToFront(WindowRef window) = 0;

    // The major version the system reports to the program.
    virtual std::uint32_t majorVersion() = 0;
    // Lets processes of a lower integrity level send `message` to this process's
    // windows (ChangeWindowMessageFilter, MSGFLT_ADD). False when the system lacks it.
    virtual bool allowFromLowerIntegrity(std::uint32_t message) = 0;
};

}  // namespace tarnwick
