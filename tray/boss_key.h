// The boss key: a hot key, read from the option "[BOSSKEY]", that hides all
// browser frames and shows them again on the next press.
#pragma once

#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/window_display.h"
#include "platform/window_system.h"

namespace tarnwick {

struct HotKeyCombination {
    unsigned modifiers = 0;  // kHotKeyAlt | kHotKeyControl | kHotKeyShift
    unsigned virtualKey = 0;
    bool operator==(const HotKeyCombination&) const = default;
};

// "[BOSSKEY]": a decimal number whose bits 0-15 are the virtual key and bits
// 16-18 the hot-key control's flags 1 Shift, 2 Ctrl, 4 Alt.
HotKeyCombination DecodeBossKey(std::u16string_view optionValue);

class BossKey {
public:
    BossKey(HotKeys& hotKeys, Windows& windows, WindowDisplay& display, FileSystem& files, const CodePage& codePage);

    // Registers the option's combination on the tray window; a refusal is ignored.
    void RegisterBossKey(WindowRef trayWindow, std::u16string_view userFolder);
    // Code 26: the old registration goes first.
    void Reregister(WindowRef trayWindow, std::u16string_view userFolder);
    // WM_HOTKEY: hides every browser frame, or shows them again; nothing when
    // "[BOSSKEYENABLE]" is "0".
    void ToggleBrowsers(std::u16string_view userFolder);

    bool browsersShown() const { return browsersShown_; }

private:
    HotKeys& hotKeys_;
    Windows& windows_;
    WindowDisplay& display_;
    FileSystem& files_;
    const CodePage& codePage_;
    bool browsersShown_ = true;
    std::vector<WindowRef> frames_;
};

}  // namespace tarnwick
