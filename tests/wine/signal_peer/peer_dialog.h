// A hidden top-level dialog of the platform class, titled "Save Forms", as the
// toolbar shows one: it records the copy-data messages it receives.
#pragma once

#include <windows.h>

#include "platform/win32/dialog_base.h"
#include "tests/wine/signal_peer/peer_record.h"

namespace tarnwick::signal_peer {

class PeerDialog : public DialogBase {
public:
    explicit PeerDialog(const PeerRecord& record) : record_(record) {}

    bool create();

private:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const PeerRecord& record_;
};

}  // namespace tarnwick::signal_peer
