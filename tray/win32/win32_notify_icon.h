// The notification-area icon over Shell_NotifyIconW, with the icon resource
// IDI_PROGRAM loaded at 16x16, and shell32's version from DllGetVersion.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "platform/notify_icon.h"

namespace tarnwick {

class Win32NotifyIcon : public NotifyIcon {
public:
    explicit Win32NotifyIcon(HICON icon) : icon_(icon) {}

    std::uint32_t shellMajorVersion() override;
    bool add(const NotifyIconRecord& record) override;
    bool setVersion(const NotifyIconRecord& record, unsigned version) override;
    bool setState(const NotifyIconRecord& record, unsigned state, unsigned mask) override;
    bool remove(const NotifyIconRecord& record) override;

    // The program icon at 16x16; LoadIconW of it when that fails.
    static HICON LoadTrayIcon(HINSTANCE instance);

private:
    NOTIFYICONDATAW dataOf(const NotifyIconRecord& record) const;

    HICON icon_;
    std::uint32_t shellVersion_ = 0;  // 0: not asked yet
};

}  // namespace tarnwick
