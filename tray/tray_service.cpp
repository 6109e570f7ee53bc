#include "tray/tray_service.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/option_store.h"

namespace tarnwick {

TrayService::TrayService(TrayPorts ports)
    : ports_(ports),
      signals_(ports.windows, ports.launcher),
      builder_(ports.files, ports.codePage),
      publisher_(builder_, ports.sections),
      bossKey_(ports.hotKeys, ports.windows, ports.display, ports.files, ports.codePage),
      proxy_(ports.registry, ports.sections, ports.internet),
      users_(UserCommandPorts{ports.files, ports.registry, ports.prompts, ports.windows, signals_, ports.shellCopy,
                              ports.catalogue}),
      lock_(ports.files, ports.codePage, signals_) {}

void TrayService::start() {
    user_ = ReadCurrentUser(ports_.registry);
    if (user_.exists()) return;
    // No user yet: no browser may run with a toolbar that has no user.
    for (const WindowRef frame : ports_.windows.findTopLevel(window_class::kBrowserFrame)) {
        ports_.processes.terminateOwnerOf(frame);
    }
}

bool TrayService::anotherTrayRuns() { return !ports_.windows.findTopLevel(window_class::kTray).empty(); }

void TrayService::prepareWindow() {
    signals_.AllowCopyDataFromLowerIntegrity();
    if (user_.exists()) publisher_.PublishCardLists(user_.folder);
}

bool TrayService::onCreate(WindowRef trayWindow) {
    window_ = trayWindow;
    if (!user_.exists()) return false;
    bossKey_.RegisterBossKey(window_, user_.folder);
    const auto update = ReadOptionLine(user_.folder, option_key::kStartupUpdate, ports_.files, ports_.codePage);
    return OptionFlag(update.value);
}

void TrayService::onCardsChanged(CopyDataCode code, const std::u16string& path) {
    const auto& lookup = ports_.catalogue;
    if (code == tray_code::kPasscardsChanged) {
        publisher_.RefreshPasscards(user_.folder);
        signals_.SendToBrowserTabs(tab_code::kReloadPasscards);
        signals_.SendToToolbars(toolbar_code::kReloadPasscardMenus);
        signals_.SendToEditors(window_class::kPasscardEditor, editor_code::kReload, path);
        signals_.SendToToolbarDialogs(lookup.Lookup(catalogue_key::kSaveFormsTitle), path);
        signals_.SendToToolbarDialogs(lookup.Lookup(catalogue_key::kToolbarNewIdentityTitle), path);
    } else {
        publisher_.RefreshIdentities(user_.folder);
        signals_.SendToBrowserTabs(tab_code::kReloadIdentities);
        signals_.SendToToolbars(toolbar_code::kReloadIdentityMenus);
        signals_.SendToEditors(window_class::kIdentityEditor, editor_code::kReload, path);
    }
}

void TrayService::reloadUserAndRefresh() {
    user_ = ReadCurrentUser(ports_.registry);
    publisher_.RefreshPasscards(user_.folder);
    publisher_.RefreshIdentities(user_.folder);
}

void TrayService::reloadEverything() {
    user_ = ReadCurrentUser(ports_.registry);
    publisher_.PublishCardLists(user_.folder);
    if (user_.exists()) bossKey_.RegisterBossKey(window_, user_.folder);
}

std::intptr_t TrayService::onCopyData(CopyDataCode code, const std::optional<std::u16string>& text) {
    const std::u16string argument = text.value_or(std::u16string());
    switch (code) {
        case tray_code::kRemoveUser:
            if (users_.RemoveUser(user_, argument)) reloadUserAndRefresh();
            break;
        case tray_code::kSelectUser:
        case tray_code::kSelectUserAgain:
            if (users_.SwitchUser(user_, argument)) reloadUserAndRefresh();
            break;
        case tray_code::kBackUpUser:
            users_.BackupCurrentUser(user_, argument);
            break;
        case tray_code::kImportUser:
            users_.ImportUser(user_, argument);
            break;
        case tray_code::kPasscardsChanged:
        case tray_code::kIdentitiesChanged:
            onCardsChanged(code, argument);
            break;
        case tray_code::kReloadBossKey:
            if (user_.exists()) {
                bossKey_.Reregister(window_, user_.folder);
            } else {
                ports_.hotKeys.unregisterHotKey(window_, tray_message::kBossHotKeyId);
            }
            break;
        case tray_code::kCloseEditorsAndBrowsers:
            signals_.CloseEditorsAndBrowsers();
            break;
        case tray_code::kClearPasscardToolbarKey:
            ClearToolbarKey(ports_.registry, user_.name, window_class::kPasscardEditor);
            break;
        case tray_code::kClearIdentityToolbarKey:
            ClearToolbarKey(ports_.registry, user_.name, window_class::kIdentityEditor);
            break;
        case tray_code::kReloadEverything:
            reloadEverything();
            break;
        case tray_code::kLock:
            lock_.lock(user_);
            break;
        case tray_code::kSnapshotProxy:
            proxy_.SnapshotProxy();
            break;
        case tray_code::kSetProxyEnabled:
            proxy_.SetProxyEnabled(argument);
            break;
        case tray_code::kSetProxyServer:
            proxy_.SetProxyServer(argument);
            break;
        case tray_code::kReadPopupsSetting:
            return static_cast<std::intptr_t>(proxy_.ReadPopupsUseNewWindow());
        default:
            break;
    }
    return tray_code::FixedReply(code).value_or(tray_code::kIgnoredReply);
}

void TrayService::onHotKey(int id) {
    if (id != tray_message::kBossHotKeyId || !user_.exists()) return;
    bossKey_.ToggleBrowsers(user_.folder);
}

}  // namespace tarnwick
