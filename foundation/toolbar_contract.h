// Everything Tarnwick shares with the browser toolbar and the browser it runs in:
// window classes, the copy-data codes and their replies, the tray's other
// messages, the shared sections, the dialog titles and the toolbar's registry keys.
// Named once here; every program uses these names.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/copy_data.h"

namespace tarnwick {

namespace window_class {
inline constexpr std::u16string_view kIdentityEditor = u"Mirelune";
inline constexpr std::u16string_view kPasscardEditor = u"Keslowe";
inline constexpr std::u16string_view kTray = u"TARNWICKNTRAY";
// The browser: frame > tab > page view > page.
inline constexpr std::u16string_view kBrowserFrame = u"IEFrame";
inline constexpr std::u16string_view kBrowserTab = u"TabWindowClass";
inline constexpr std::u16string_view kPageView = u"Shell DocObject View";
inline constexpr std::u16string_view kPage = u"Internet Explorer_Server";
// Frame > toolbar host > worker > rebar > toolbar.
inline constexpr std::u16string_view kToolbarHost = u"InternetToolbarHost";
inline constexpr std::u16string_view kToolbarWorker = u"WorkerW";
inline constexpr std::u16string_view kToolbarRebar = u"ReBarWindow32";
inline constexpr std::u16string_view kToolbar = u"TARNTOOLBAR";
// The platform's dialog class: the toolbar's dialogs and every message box.
inline constexpr std::u16string_view kDialog = u"#32770";

// First children followed from a tab to its page window.
inline constexpr std::array<std::u16string_view, 2> kTabToPage = {kPageView, kPage};
// First children followed from a toolbar host to the toolbar.
inline constexpr std::array<std::u16string_view, 3> kHostToToolbar = {kToolbarWorker, kToolbarRebar, kToolbar};
}  // namespace window_class

// The tray window's title is its class name.
inline constexpr std::u16string_view kTrayWindowTitle = window_class::kTray;

// Codes the tray window receives. The editors send 10 and 20, the toolbar the rest.
namespace tray_code {
inline constexpr CopyDataCode kRemoveUser = 0;          // text: user folder
inline constexpr CopyDataCode kSelectUser = 1;          // text: user folder
inline constexpr CopyDataCode kSelectUserAgain = 2;     // text: user folder, same as 1
inline constexpr CopyDataCode kBackUpUser = 6;          // text: destination folder
inline constexpr CopyDataCode kPasscardsChanged = 10;   // text: path of the changed item
inline constexpr CopyDataCode kImportUser = 16;         // text: source folder
inline constexpr CopyDataCode kIdentitiesChanged = 20;  // text: path of the changed item
inline constexpr CopyDataCode kReloadBossKey = 26;
inline constexpr CopyDataCode kCloseEditorsAndBrowsers = 36;
inline constexpr CopyDataCode kClearPasscardToolbarKey = 61;
inline constexpr CopyDataCode kClearIdentityToolbarKey = 62;
inline constexpr CopyDataCode kReloadEverything = 65;
inline constexpr CopyDataCode kLock = 70;  // forget the remembered primary password now; any sender
inline constexpr CopyDataCode kSnapshotProxy = 100;
inline constexpr CopyDataCode kSetProxyEnabled = 101;    // text: "0" off, anything else on
inline constexpr CopyDataCode kSetProxyServer = 102;     // text: proxy server
inline constexpr CopyDataCode kReadPopupsSetting = 103;  // reply: "PopupsUseNewWindow"

inline constexpr std::u16string_view kProxyOffText = u"0";

constexpr bool IsKnown(CopyDataCode code) {
    switch (code) {
        case kRemoveUser:
        case kSelectUser:
        case kSelectUserAgain:
        case kBackUpUser:
        case kPasscardsChanged:
        case kImportUser:
        case kIdentitiesChanged:
        case kReloadBossKey:
        case kCloseEditorsAndBrowsers:
        case kClearPasscardToolbarKey:
        case kClearIdentityToolbarKey:
        case kReloadEverything:
        case kLock:
        case kSnapshotProxy:
        case kSetProxyEnabled:
        case kSetProxyServer:
        case kReadPopupsSetting:
            return true;
        default:
            return false;
    }
}

// Unknown codes are answered with 0 and otherwise ignored.
inline constexpr std::intptr_t kIgnoredReply = 0;

// The reply the tray window gives a code: the code itself for every known
// code, 0 for unknown ones; nothing for 103, which answers with the browser's
// pop-up setting instead.
constexpr std::optional<std::intptr_t> FixedReply(CopyDataCode code) {
    if (code == kReadPopupsSetting) return std::nullopt;
    return IsKnown(code) ? static_cast<std::intptr_t>(code) : kIgnoredReply;
}
}  // namespace tray_code

// Codes an editor's main window receives.
namespace editor_code {
inline constexpr CopyDataCode kReload = 0;  // text: path to select, empty for the current item
inline constexpr CopyDataCode kClose = 1;   // no text: close without asking
// No text: forget the primary password held in memory; the next protected card asks again.
inline constexpr CopyDataCode kForgetPassword = 2;
}  // namespace editor_code

// Codes the page window of a browser tab receives. A tab that has handled
// one answers with the code itself; anything else means it did not.
namespace tab_code {
inline constexpr CopyDataCode kReloadPasscards = 10;
inline constexpr CopyDataCode kReloadIdentities = 20;
inline constexpr CopyDataCode kOpenAddress = 28;  // text: the web address

constexpr bool Handled(CopyDataCode code, std::intptr_t reply) { return reply == static_cast<std::intptr_t>(code); }
}  // namespace tab_code

// Codes the toolbar window receives; its replies mean nothing.
namespace toolbar_code {
inline constexpr CopyDataCode kReloadPasscardMenus = 0;
inline constexpr CopyDataCode kReloadIdentityMenus = 1;
}  // namespace toolbar_code

// Code the toolbar's "Save Forms" and "New Identity" dialogs receive.
namespace dialog_code {
inline constexpr CopyDataCode kRefreshFolder = 0;  // text: path of the changed item
}  // namespace dialog_code

// The `NotifyTray` kinds: which side of the card library changed.
namespace notify_kind {
inline constexpr int kPasscards = 0;   // sends tray_code::kPasscardsChanged
inline constexpr int kIdentities = 1;  // sends tray_code::kIdentitiesChanged
}  // namespace notify_kind

// The tray window's other messages.
namespace tray_message {
inline constexpr std::uint32_t kNotifyIcon = 0x0400 + 100;                 // WM_USER+100: icon callback
inline constexpr std::uint32_t kQuit = 0x0400 + 102;                       // WM_USER+102: from any process
inline constexpr int kBossHotKeyId = 0x1000;                               // WM_HOTKEY identifier
inline constexpr std::uint16_t kCommandExit = 57665;                       // WM_COMMAND
inline constexpr std::uint16_t kCommandAbout = 57664;                      // WM_COMMAND
inline constexpr std::u16string_view kTaskbarCreated = u"TaskbarCreated";  // registered message
}  // namespace tray_message

// "TarnwickFileMapping": the card lists, three blocks of 1,000 slots of 520 bytes.
namespace file_mapping {
inline constexpr std::u16string_view kName = u"TarnwickFileMapping";
inline constexpr std::size_t kSlotChars = 260;  // 259 characters and the zero
inline constexpr std::size_t kSlotBytes = kSlotChars * sizeof(char16_t);
inline constexpr std::size_t kSlotsPerBlock = 1000;
inline constexpr std::size_t kBlockBytes = kSlotsPerBlock * kSlotBytes;
inline constexpr std::size_t kPasscardsOffset = 0;
inline constexpr std::size_t kIdentitiesOffset = kBlockBytes;
inline constexpr std::size_t kMatchKeysOffset = 2 * kBlockBytes;
inline constexpr std::size_t kSize = 3 * kBlockBytes;
static_assert(kSlotBytes == 520 && kIdentitiesOffset == 520'000 && kMatchKeysOffset == 1'040'000 && kSize == 1'560'000);
}  // namespace file_mapping

// "TarnwickProxyMapping": the proxy snapshot.
namespace proxy_mapping {
inline constexpr std::u16string_view kName = u"TarnwickProxyMapping";
inline constexpr std::size_t kServerOffset = 0;
inline constexpr std::size_t kServerChars = 260;  // 259 characters and the zero
inline constexpr std::size_t kServerBytes = kServerChars * sizeof(char16_t);
inline constexpr std::size_t kEnableOffset = kServerBytes;  // 32-bit little-endian, 0 or 1
inline constexpr std::size_t kSize = kEnableOffset + sizeof(std::uint32_t);
static_assert(kServerBytes == 520 && kSize == 524);
}  // namespace proxy_mapping

// Registry places under HKEY_CURRENT_USER.
namespace registry {
inline constexpr std::u16string_view kTarnwickKey = u"Software\\Tarnwick";
inline constexpr std::u16string_view kRootUserValue = u"RootUser";
inline constexpr std::u16string_view kFilePathValue = u"FilePath";
inline constexpr std::u16string_view kToolbarSubkey = u"ToolBar";

// "Software\Tarnwick\" + user + "\ToolBar\" + editor class ("Keslowe" or "Mirelune").
inline std::u16string ToolbarKey(std::u16string_view user, std::u16string_view editorClass) {
    std::u16string key(kTarnwickKey);
    key += u'\\';
    key += user;
    key += u'\\';
    key += kToolbarSubkey;
    key += u'\\';
    key += editorClass;
    return key;
}
}  // namespace registry

// What the system starts when no browser tab opens an address.
inline constexpr std::u16string_view kBrowserProgram = u"iexplore";

}  // namespace tarnwick
