#include "tray/boss_key.h"

#include <cstdint>

#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

// The hot-key control's flags in bits 16-18.
constexpr std::uint32_t kFlagShift = 1u << 16;
constexpr std::uint32_t kFlagControl = 2u << 16;
constexpr std::uint32_t kFlagAlt = 4u << 16;

}  // namespace

HotKeyCombination DecodeBossKey(std::u16string_view optionValue) {
    const auto v = static_cast<std::uint32_t>(OptionInteger(optionValue));
    HotKeyCombination combination;
    if (v & kFlagAlt) combination.modifiers |= kHotKeyAlt;
    if (v & kFlagControl) combination.modifiers |= kHotKeyControl;
    if (v & kFlagShift) combination.modifiers |= kHotKeyShift;
    combination.virtualKey = v & 0xFFFF;
    return combination;
}

BossKey::BossKey(HotKeys& hotKeys, Windows& windows, WindowDisplay& display, FileSystem& files,
                 const CodePage& codePage)
    : hotKeys_(hotKeys),
      windows_(windows),
      display_(display),
      files_(files),
      codePage_(codePage) {}

void BossKey::RegisterBossKey(WindowRef trayWindow, std::u16string_view userFolder) {
    const auto value = ReadOptionLine(userFolder, option_key::kBossKey, files_, codePage_).value;
    const HotKeyCombination combination = DecodeBossKey(value);
    hotKeys_.registerHotKey(trayWindow, tray_message::kBossHotKeyId, combination.modifiers, combination.virtualKey);
}

void BossKey::Reregister(WindowRef trayWindow, std::u16string_view userFolder) {
    hotKeys_.unregisterHotKey(trayWindow, tray_message::kBossHotKeyId);
    RegisterBossKey(trayWindow, userFolder);
}

void BossKey::ToggleBrowsers(std::u16string_view userFolder) {
    const auto enable = ReadOptionLine(userFolder, option_key::kBossKeyEnable, files_, codePage_);
    if (!OptionFlag(enable.value)) return;
    frames_ = windows_.findTopLevel(window_class::kBrowserFrame);
    const bool show = !browsersShown_;
    for (const WindowRef frame : frames_) display_.setVisible(frame, show);
    browsersShown_ = show;
}

}  // namespace tarnwick
