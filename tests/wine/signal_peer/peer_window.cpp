#include "tests/wine/signal_peer/peer_window.h"

#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick::signal_peer {
namespace {

const char* roleName(Role role) {
    switch (role) {
        case Role::Tray:
            return "tray";
        case Role::PasscardEditor:
            return "Keslowe";
        case Role::IdentityEditor:
            return "Mirelune";
        case Role::Frame:
            return "frame";
        case Role::Page:
            return "page";
        case Role::Toolbar:
            return "toolbar";
        case Role::Plain:
            break;
    }
    return "other";
}

std::intptr_t replyOf(Role role, CopyDataCode code) {
    switch (role) {
        case Role::Tray:
            return tray_code::FixedReply(code).value_or(0);
        case Role::Page:
            return code == tab_code::kReloadPasscards || code == tab_code::kReloadIdentities ||
                           code == tab_code::kOpenAddress
                       ? static_cast<std::intptr_t>(code)
                       : 0;
        default:
            return 0;
    }
}

}  // namespace

bool PeerWindow::create(std::u16string_view windowClass, std::u16string_view title, HWND parent) {
    const DWORD style = parent == HWND_MESSAGE ? 0 : parent ? WS_CHILD : WS_POPUP;
    return createWindow({.name = windowClass},
                        {.title = title, .style = style, .x = 0, .y = 0, .width = 0, .height = 0, .parent = parent});
}

LRESULT PeerWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    record_.appendCopyData(roleName(role_), data);
    const auto received = ReceiveCopyDataMessage(data);
    return received ? replyOf(role_, received->code) : 0;
}

bool PeerWindow::onClose() {
    if (role_ != Role::Frame) return false;
    record_.append("frame close");
    destroyWindow();
    record_.signalFrameClosed();
    return true;
}

// The lifetime bound.
void PeerWindow::onTimer(UINT_PTR) { PostQuitMessage(2); }

LRESULT PeerWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (role_ == Role::Tray && message == tray_message::kQuit) {
        PostQuitMessage(0);
        return 0;
    }
    return WindowBase::onMessage(message, wParam, lParam);
}

}  // namespace tarnwick::signal_peer
