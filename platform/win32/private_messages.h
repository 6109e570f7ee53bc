// Tarnwick's private window messages, numbered in this one place (WM_APP + n)
// so that no two meet in one window: a control subclassed by one class and
// hosted by another sees both. Messages that other programs send (the tray's
// WM_USER + 100 and + 102) belong to their contract, not here.
#pragma once

#include <windows.h>

namespace tarnwick::private_message {

// The library tree: a reload request that arrived during an operation, run once the control is idle.
inline constexpr UINT kTreeDeferredReload = WM_APP + 1;
// An editor's tree goes back to the item still shown, once the selection change that refused a card has ended.
inline constexpr UINT kEditorReselectShown = WM_APP + 2;
// An editor shows the save failure its session kept while another program waited for an answer.
inline constexpr UINT kEditorShowReport = WM_APP + 3;

}  // namespace tarnwick::private_message
