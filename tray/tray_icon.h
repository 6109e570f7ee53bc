// The tray program's notification-area icon: the record by shell version,
// added at creation, hidden for good by Exit, put back when a new taskbar
// appears, removed when the window goes.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/notify_icon.h"

namespace tarnwick {

inline constexpr unsigned kTrayIconId = 128;
inline constexpr unsigned kTrayIconFlags = 7;      // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr unsigned kNotifyIconVersion = 3;  // NOTIFYICON_VERSION
inline constexpr unsigned kIconStateHidden = 1;    // NIS_HIDDEN
inline constexpr std::u16string_view kTrayIconTip = u"Tarnwick";

// NOTIFYICONDATAW.cbSize the shell of that major version expects.
std::uint32_t NotifyIconRecordSize(std::uint32_t shellMajorVersion);

class TrayIcon {
public:
    explicit TrayIcon(NotifyIcon& icon);

    // WM_CREATE: adds the icon (and sets its version on shells 5 and later).
    void add(WindowRef trayWindow);
    // Exit: hides the icon (deletes it below shell 5); the program runs on.
    void hide();
    // "TaskbarCreated": the new taskbar has no icons; unless hidden, add again.
    void onTaskbarCreated();
    // WM_DESTROY.
    void remove();

    bool added() const { return added_; }
    bool hidden() const { return hidden_; }
    const NotifyIconRecord& record() const { return record_; }

private:
    void addRecord();

    NotifyIcon& icon_;
    NotifyIconRecord record_;
    std::uint32_t shellVersion_ = 0;
    bool added_ = false;
    bool hidden_ = false;
};

}  // namespace tarnwick
