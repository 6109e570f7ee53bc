// A window of the signal peer in one of the system's roles (the tray, an
// editor, the browser frame, a page, the toolbar, a plain link of a window
// chain): it records every copy-data message and answers as the real receiver
// of that role does. The tray ends the peer on the quit message, the frame
// records its closing, and a timer on any window bounds the peer's life.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/win32/window_base.h"
#include "tests/wine/signal_peer/peer_record.h"

namespace tarnwick::signal_peer {

enum class Role { Tray, PasscardEditor, IdentityEditor, Frame, Page, Toolbar, Plain };

class PeerWindow : public WindowBase {
public:
    PeerWindow(Role role, const PeerRecord& record) : role_(role), record_(record) {}

    // A pop-up, a child of `parent`, or a message-only window for HWND_MESSAGE.
    bool create(std::u16string_view windowClass, std::u16string_view title, HWND parent);

private:
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;
    bool onClose() override;
    void onTimer(UINT_PTR id) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Role role_;
    const PeerRecord& record_;
};

}  // namespace tarnwick::signal_peer
