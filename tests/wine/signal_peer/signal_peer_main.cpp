// The other process of the window-signalling test: creates windows of the
// system's classes (tray, editors, a browser frame with its tab and toolbar
// chains, a "Save Forms" dialog), answers copy-data as the real receivers do,
// and appends one line per message received to a record file.
//
//   signal_peer RECORD-FILE READY-EVENT FRAME-CLOSED-EVENT LIFETIME-MS
//   signal_peer --signal EVENT      (sets the event and ends: a start check)
//
// It ends by itself after LIFETIME-MS, or on the tray's quit message.
#include <windows.h>
#include <shellapi.h>

#include <deque>
#include <string>

#include "foundation/toolbar_contract.h"
#include "tests/wine/signal_peer/peer_dialog.h"
#include "tests/wine/signal_peer/peer_window.h"

namespace {

using namespace tarnwick;
using namespace tarnwick::signal_peer;

// The peer's windows live as long as the process; a deque never moves them.
class PeerWindows {
public:
    explicit PeerWindows(const PeerRecord& record) : record_(record) {}

    HWND create(std::u16string_view windowClass, std::u16string_view title, HWND parent, Role role) {
        PeerWindow& window = windows_.emplace_back(role, record_);
        return window.create(windowClass, title, parent) ? window.handle() : nullptr;
    }
    bool createSaveFormsDialog() { return dialogs_.emplace_back(record_).create(); }

private:
    const PeerRecord& record_;
    std::deque<PeerWindow> windows_;
    std::deque<PeerDialog> dialogs_;
};

bool createWindows(PeerWindows& peer) {
    using namespace window_class;
    const HWND tray = peer.create(kTray, kTrayWindowTitle, nullptr, Role::Tray);
    peer.create(kPasscardEditor, u"Passcards", nullptr, Role::PasscardEditor);
    const std::u16string longTitle(300, u'M');
    peer.create(kIdentityEditor, longTitle, nullptr, Role::IdentityEditor);

    const HWND frame = peer.create(kBrowserFrame, u"Browser", nullptr, Role::Frame);
    peer.create(kBrowserTab, u"", frame, Role::Plain);  // a tab without the page chain
    const HWND tab = peer.create(kBrowserTab, u"", frame, Role::Plain);
    const HWND view = peer.create(kPageView, u"", tab, Role::Plain);
    const HWND page = peer.create(kPage, u"", view, Role::Page);
    const HWND host = peer.create(kToolbarHost, u"", frame, Role::Plain);
    const HWND worker = peer.create(kToolbarWorker, u"", host, Role::Plain);
    const HWND rebar = peer.create(kToolbarRebar, u"", worker, Role::Plain);
    const HWND toolbar = peer.create(kToolbar, u"", rebar, Role::Toolbar);
    const bool dialog = peer.createSaveFormsDialog();
    return tray && frame && page && toolbar && dialog;
}

int signalAndEnd(const wchar_t* eventName) {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (event == nullptr) return 3;
    SetEvent(event);
    CloseHandle(event);
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr) return 1;
    if (argc == 3 && std::wstring(argv[1]) == L"--signal") return signalAndEnd(argv[2]);
    if (argc != 5) return 1;

    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE frameClosed = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    const UINT lifetime = static_cast<UINT>(_wtoi(argv[4]));
    const PeerRecord record(argv[1], frameClosed);
    PeerWindows peer(record);
    if (ready == nullptr || frameClosed == nullptr || !createWindows(peer)) return 4;

    const HWND timerWindow = peer.create(u"TarnwickSignalPeerTimer", u"", HWND_MESSAGE, Role::Plain);
    SetTimer(timerWindow, 1, lifetime, nullptr);
    SetEvent(ready);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
