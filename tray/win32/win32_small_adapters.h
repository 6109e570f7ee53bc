// The tray program's one-call ports on Windows: hot keys (RegisterHotKey),
// showing and hiding frames (ShowWindow, UpdateWindow), ending a window's
// process (TerminateProcess) and announcing new Internet settings.
#pragma once

#include "platform/hot_keys.h"
#include "platform/internet_settings.h"
#include "platform/processes.h"
#include "platform/window_display.h"

namespace tarnwick {

class Win32HotKeys : public HotKeys {
public:
    bool registerHotKey(WindowRef window, int id, unsigned modifiers, unsigned virtualKey) override;
    bool unregisterHotKey(WindowRef window, int id) override;
};

class Win32WindowDisplay : public WindowDisplay {
public:
    void setVisible(WindowRef window, bool visible) override;
};

class Win32Processes : public Processes {
public:
    bool terminateOwnerOf(WindowRef window) override;
};

class Win32InternetSettings : public InternetSettings {
public:
    void announceChange() override;
};

}  // namespace tarnwick
