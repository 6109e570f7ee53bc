// A window of the stand-in's browser chain (a frame, a page window, the
// toolbar, or a plain link between them): it logs what it receives and
// answers as the toolbar does. The stand-in ends when its last frame closes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/window_base.h"
#include "tools/browser_standin/standin_log.h"

namespace tarnwick::standin {

enum class Role { Frame, Page, Toolbar, Plain };

// What the windows share: the log, the frames still open, the addresses asked for.
struct Browser {
    StandinLog log;
    int openFrames = 0;
    std::vector<std::u16string> openedAddresses;
};

class StandinWindow : public WindowBase {
public:
    StandinWindow(Role role, Browser& browser) : role_(role), browser_(browser) {}

    // A visible top-level window, or a child of `parent`.
    bool create(std::u16string_view windowClass, std::u16string_view title, HWND parent);

private:
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;
    bool onClose() override;

    Role role_;
    Browser& browser_;
};

}  // namespace tarnwick::standin
