// The notification-area icon (Shell_NotifyIconW) and the shell's version,
// which decides the size of the icon record and how an icon is hidden.
#pragma once

#include <cstdint>
#include <string>

#include "platform/window_ref.h"

namespace tarnwick {

// What the icon calls carry; the adapter adds the icon image it loads.
struct NotifyIconRecord {
    std::uint32_t size = 0;  // NOTIFYICONDATAW.cbSize
    WindowRef window = kNoWindow;
    unsigned id = 0;
    unsigned flags = 0;
    unsigned callbackMessage = 0;
    std::u16string tip;
};

class NotifyIcon {
public:
    virtual ~NotifyIcon() = default;
    // The major version shell32's DllGetVersion reports; 4 without it.
    virtual std::uint32_t shellMajorVersion() = 0;
    virtual bool add(const NotifyIconRecord& record) = 0;                           // NIM_ADD
    virtual bool setVersion(const NotifyIconRecord& record, unsigned version) = 0;  // NIM_SETVERSION
    // NIM_MODIFY with NIF_STATE: the state bits under the mask.
    virtual bool setState(const NotifyIconRecord& record, unsigned state, unsigned mask) = 0;
    virtual bool remove(const NotifyIconRecord& record) = 0;  // NIM_DELETE
};

}  // namespace tarnwick
