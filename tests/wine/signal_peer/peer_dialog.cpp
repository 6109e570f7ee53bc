#include "tests/wine/signal_peer/peer_dialog.h"

namespace tarnwick::signal_peer {

bool PeerDialog::create() {
    const DialogTemplate layout(WS_POPUP | WS_CAPTION, 100, 50, u"Save Forms", 8, u"MS Shell Dlg");
    return createModeless(layout, nullptr);
}

INT_PTR PeerDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_COPYDATA) return FALSE;
    record_.appendCopyData("dialog", reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return reply(0);
}

}  // namespace tarnwick::signal_peer
