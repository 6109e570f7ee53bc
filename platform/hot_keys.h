// System-wide hot keys delivered to a window as WM_HOTKEY (RegisterHotKey).
#pragma once

#include "platform/window_ref.h"

namespace tarnwick {

// RegisterHotKey's modifier flags.
inline constexpr unsigned kHotKeyAlt = 1;      // MOD_ALT
inline constexpr unsigned kHotKeyControl = 2;  // MOD_CONTROL
inline constexpr unsigned kHotKeyShift = 4;    // MOD_SHIFT

class HotKeys {
public:
    virtual ~HotKeys() = default;
    // False when the system refuses (a taken combination, a zero key).
    virtual bool registerHotKey(WindowRef window, int id, unsigned modifiers, unsigned virtualKey) = 0;
    virtual bool unregisterHotKey(WindowRef window, int id) = 0;
};

}  // namespace tarnwick
