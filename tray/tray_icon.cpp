#include "tray/tray_icon.h"

#include "foundation/toolbar_contract.h"

namespace tarnwick {

std::uint32_t NotifyIconRecordSize(std::uint32_t shellMajorVersion) {
    if (shellMajorVersion >= 6) return 952;
    if (shellMajorVersion == 5) return 936;
    return 152;
}

TrayIcon::TrayIcon(NotifyIcon& icon) : icon_(icon) {}

void TrayIcon::addRecord() {
    added_ = icon_.add(record_);
    if (shellVersion_ >= 5) icon_.setVersion(record_, kNotifyIconVersion);
}

void TrayIcon::add(WindowRef trayWindow) {
    shellVersion_ = icon_.shellMajorVersion();
    record_ = NotifyIconRecord{};
    record_.size = NotifyIconRecordSize(shellVersion_);
    record_.window = trayWindow;
    record_.id = kTrayIconId;
    record_.flags = kTrayIconFlags;
    record_.callbackMessage = tray_message::kNotifyIcon;
    record_.tip = std::u16string(kTrayIconTip);
    addRecord();
}

void TrayIcon::hide() {
    if (hidden_) return;
    if (shellVersion_ >= 5) {
        icon_.setState(record_, kIconStateHidden, kIconStateHidden);
    } else {
        icon_.remove(record_);
    }
    hidden_ = true;
}

void TrayIcon::onTaskbarCreated() {
    if (!hidden_ && record_.window != kNoWindow) addRecord();
}

void TrayIcon::remove() {
    if (added_) icon_.remove(record_);
}

}  // namespace tarnwick
