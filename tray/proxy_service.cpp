#include "tray/proxy_service.h"

#include "tray/list_image.h"

namespace tarnwick {

ProxyRecord BuildProxyRecord(std::u16string_view server, std::uint32_t enable) {
    ProxyRecord record{};
    WriteSlotText(record.data() + proxy_mapping::kServerOffset, proxy_mapping::kServerBytes, server);
    for (int i = 0; i < 4; ++i) {
        record[proxy_mapping::kEnableOffset + i] = static_cast<unsigned char>(enable >> (8 * i));
    }
    return record;
}

ProxyService::ProxyService(Registry& registry, SharedSections& sections, InternetSettings& internet)
    : registry_(registry),
      sections_(sections),
      internet_(internet) {}

void ProxyService::SnapshotProxy() {
    using namespace browser_registry;
    registry_.createKey(kInternetSettingsKey);
    const auto server = registry_.readString(kInternetSettingsKey, kProxyServerValue, proxy_mapping::kServerChars);
    const auto enable = registry_.readDword(kInternetSettingsKey, kProxyEnableValue);
    record_ = BuildProxyRecord(server.value_or(std::u16string()), enable.value_or(0));
    if (!section_) {
        if (sectionRefused_) return;
        SharedSections::Outcome outcome;
        section_ = sections_.create(proxy_mapping::kName, proxy_mapping::kSize, outcome);
        if (outcome != SharedSections::Outcome::Created) {
            section_.reset();
            // Another process made it: publish nothing, now and later.
            sectionRefused_ = outcome == SharedSections::Outcome::AlreadyExists;
            return;
        }
    }
    section_->write(record_.data(), record_.size());
}

void ProxyService::SetProxyEnabled(std::u16string_view text) {
    using namespace browser_registry;
    registry_.createKey(kInternetSettingsKey);
    registry_.writeDword(kInternetSettingsKey, kProxyEnableValue, text == tray_code::kProxyOffText ? 0 : 1);
    internet_.announceChange();
}

void ProxyService::SetProxyServer(std::u16string_view text) {
    using namespace browser_registry;
    if (registry_.createKey(kInternetSettingsKey)) {
        registry_.writeString(kInternetSettingsKey, kProxyServerValue, text);
    }
    internet_.announceChange();
}

std::uint32_t ProxyService::ReadPopupsUseNewWindow() {
    using namespace browser_registry;
    registry_.createKey(kTabbedBrowsingKey);
    return registry_.readDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue).value_or(0);
}

void ClearToolbarKey(Registry& registry, std::u16string_view userName, std::u16string_view editorClass) {
    // Without a user the key would name the toolbar keys of no one.
    if (userName.empty()) return;
    const std::u16string key = registry::ToolbarKey(userName, editorClass);
    registry.createKey(key);
    DeleteKeyTree(registry, key);
}

}  // namespace tarnwick
