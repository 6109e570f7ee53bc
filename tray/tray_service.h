// The tray program's services behind its hidden window: start-up steps that
// need no window, the copy-data codes with their replies, the boss key.
// The Win32 window forwards its messages here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "foundation/message_catalogue.h"
#include "foundation/toolbar_contract.h"
#include "foundation/window_signals.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/internet_settings.h"
#include "platform/launcher.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/shared_sections.h"
#include "platform/shell_copy.h"
#include "platform/window_display.h"
#include "platform/window_system.h"
#include "tray/boss_key.h"
#include "tray/card_list_publisher.h"
#include "tray/card_lists.h"
#include "tray/current_user.h"
#include "tray/primary_password_lock.h"
#include "tray/proxy_service.h"
#include "tray/user_commands.h"

namespace tarnwick {

struct TrayPorts {
    FileSystem& files;
    const CodePage& codePage;
    Registry& registry;
    Windows& windows;
    Launcher& launcher;
    Prompts& prompts;
    SharedSections& sections;
    HotKeys& hotKeys;
    WindowDisplay& display;
    ShellCopy& shellCopy;
    InternetSettings& internet;
    Processes& processes;
    const MessageCatalogue& catalogue;
};

class TrayService {
public:
    explicit TrayService(TrayPorts ports);

    // Start-up, before the window exists: reads the current user; without
    // one, ends every browser process.
    void start();
    // Whether another tray window already exists (this process then ends).
    bool anotherTrayRuns();
    // While the window is being created: the integrity filter and, with a
    // user, the first publication of the card lists.
    void prepareWindow();
    // WM_CREATE, once the window exists: the boss key. True when the update
    // check should start (a user exists and "[STARTUPUPDATE]" is not "0").
    bool onCreate(WindowRef trayWindow);

    // WM_COPYDATA: the reply.
    std::intptr_t onCopyData(CopyDataCode code, const std::optional<std::u16string>& text);
    // WM_HOTKEY.
    void onHotKey(int id);
    // The menu's Lock (copy-data 70 comes through onCopyData).
    void lockNow() { lock_.lock(user_); }
    // WM_WTSSESSION_CHANGE with WTS_SESSION_LOCK.
    void onSessionLocked() { lock_.onSessionLocked(user_); }
    // WM_POWERBROADCAST with PBT_APMSUSPEND.
    void onSuspend() { lock_.onSuspend(user_); }
    // The idle poll: milliseconds since the last input.
    void onIdle(std::uint64_t idleMilliseconds) { lock_.onIdle(user_, idleMilliseconds); }

    const CurrentUser& user() const { return user_; }
    const CardListPublisher& publisher() const { return publisher_; }
    const BossKey& bossKey() const { return bossKey_; }
    WindowSignals& signals() { return signals_; }

private:
    void onCardsChanged(CopyDataCode code, const std::u16string& path);
    void reloadUserAndRefresh();
    void reloadEverything();

    TrayPorts ports_;
    CurrentUser user_;
    WindowRef window_ = kNoWindow;
    WindowSignals signals_;
    CardListBuilder builder_;
    CardListPublisher publisher_;
    BossKey bossKey_;
    ProxyService proxy_;
    UserCommands users_;
    PrimaryPasswordLock lock_;
};

}  // namespace tarnwick
