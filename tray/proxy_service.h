// The browser settings the toolbar changes through the tray program: the
// proxy (switched, set, and a snapshot in "TarnwickProxyMapping"), the pop-up
// setting it reads, and the toolbar's own keys that it has the tray delete.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "foundation/toolbar_contract.h"
#include "platform/internet_settings.h"
#include "platform/registry.h"
#include "platform/shared_sections.h"

namespace tarnwick {

namespace browser_registry {
inline constexpr std::u16string_view kInternetSettingsKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::u16string_view kProxyServerValue = u"ProxyServer";
inline constexpr std::u16string_view kProxyEnableValue = u"ProxyEnable";
inline constexpr std::u16string_view kTabbedBrowsingKey = u"Software\\Microsoft\\Internet Explorer\\TabbedBrowsing";
inline constexpr std::u16string_view kPopupsUseNewWindowValue = u"PopupsUseNewWindow";
}  // namespace browser_registry

using ProxyRecord = std::array<unsigned char, proxy_mapping::kSize>;

// The 524 bytes: the server zero-padded to 520 bytes (at most 259
// characters), then the enable value as 32-bit little-endian.
ProxyRecord BuildProxyRecord(std::u16string_view server, std::uint32_t enable);

class ProxyService {
public:
    ProxyService(Registry& registry, SharedSections& sections, InternetSettings& internet);

    // Code 100: reads the settings and copies the record into the held
    // section, creating it the first time (none is held, ever, when another
    // process made it first).
    void SnapshotProxy();
    // Code 101: "ProxyEnable" = 0 for exactly "0", else 1.
    void SetProxyEnabled(std::u16string_view text);
    // Code 102.
    void SetProxyServer(std::u16string_view text);
    // Code 103: "PopupsUseNewWindow", 0 when it is missing.
    std::uint32_t ReadPopupsUseNewWindow();

    const ProxyRecord& lastRecord() const { return record_; }

private:
    Registry& registry_;
    SharedSections& sections_;
    InternetSettings& internet_;
    ProxyRecord record_{};
    std::unique_ptr<SharedSection> section_;
    bool sectionRefused_ = false;
};

// Codes 61 and 62: deletes "Software\Tarnwick\" + user + "\ToolBar\" + editor
// with everything below it. Nothing for an empty user name.
void ClearToolbarKey(Registry& registry, std::u16string_view userName, std::u16string_view editorClass);

}  // namespace tarnwick
