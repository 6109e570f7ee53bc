// The sends between Tarnwick's programs, the browser and its toolbar: who is
// reached and in which order. Every send searches the windows afresh and waits
// for its reply (no state between sends).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "foundation/toolbar_contract.h"
#include "platform/launcher.h"
#include "platform/window_system.h"

namespace tarnwick {

class WindowSignals {
public:
    WindowSignals(Windows& windows, Launcher& launcher);

    // Editors: tells the first tray window that one side of the card library
    // changed (notify_kind::kPasscards -> code 10, kIdentities -> code 20; any
    // other kind sends nothing). The reply is ignored.
    void NotifyTray(int kind, std::u16string_view path);

    // Tray: the code to every top-level window of the editor class, in order.
    void SendToEditors(std::u16string_view editorClass, CopyDataCode code, std::optional<std::u16string_view> text);

    // Tray: for every browser frame, the code to its tabs in order until one
    // answers with the code; then the next frame.
    void SendToBrowserTabs(CopyDataCode code);

    // Tray: the code to every toolbar of every frame; replies are ignored.
    void SendToToolbars(CopyDataCode code);

    // Tray: code 0 with the text to every top-level dialog titled exactly
    // `title`. The caller passes the catalogue's text for the dialog's title key;
    // an empty title reaches no dialog (untitled message boxes are not the toolbar's).
    void SendToToolbarDialogs(std::u16string_view title, std::u16string_view text);

    // Editors and tray: offers the address to the tabs of the first frame; when
    // none opens it, or no frame exists, starts the browser with it. False
    // when the browser could not be started (the launcher knows why).
    bool OpenPageInBrowser(std::u16string_view address);

    // Tray: code 1 to every Passcard Editor, then every Identity Editor, then
    // WM_CLOSE posted to every browser frame.
    void CloseEditorsAndBrowsers();

    // All programs, when the main window exists: on major version 6 only, lets
    // the toolbar, running at a lower integrity level, send copy-data.
    void AllowCopyDataFromLowerIntegrity();

private:
    // The window at the end of a chain of first children, or kNoWindow when a link is missing.
    template <std::size_t N>
    WindowRef follow(WindowRef from, const std::array<std::u16string_view, N>& chain);
    // Tabs of the frame in order until one answers with the code. True when one did.
    bool offerToTabs(WindowRef frame, CopyDataCode code, std::optional<std::u16string_view> text);

    Windows& windows_;
    Launcher& launcher_;
};

}  // namespace tarnwick
