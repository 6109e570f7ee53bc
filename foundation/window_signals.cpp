#include "foundation/window_signals.h"

namespace tarnwick {

namespace {

// The major version on which the integrity filter exists and is needed.
constexpr std::uint32_t kIntegrityFilterMajorVersion = 6;

}  // namespace

WindowSignals::WindowSignals(Windows& windows, Launcher& launcher) : windows_(windows), launcher_(launcher) {}

void WindowSignals::NotifyTray(int kind, std::u16string_view path) {
    CopyDataCode code;
    if (kind == notify_kind::kPasscards) {
        code = tray_code::kPasscardsChanged;
    } else if (kind == notify_kind::kIdentities) {
        code = tray_code::kIdentitiesChanged;
    } else {
        return;
    }
    // A second tray program ends at start-up; should two windows exist, only
    // the first one counts.
    const auto trays = windows_.findTopLevel(window_class::kTray);
    if (trays.empty()) return;
    windows_.sendCopyData(trays.front(), code, path);
}

void WindowSignals::SendToEditors(std::u16string_view editorClass, CopyDataCode code,
                                  std::optional<std::u16string_view> text) {
    for (const WindowRef editor : windows_.findTopLevel(editorClass)) {
        windows_.sendCopyData(editor, code, text);
    }
}

template <std::size_t N>
WindowRef WindowSignals::follow(WindowRef from, const std::array<std::u16string_view, N>& chain) {
    WindowRef window = from;
    for (const std::u16string_view windowClass : chain) {
        window = windows_.findFirstChild(window, windowClass);
        if (window == kNoWindow) break;
    }
    return window;
}

bool WindowSignals::offerToTabs(WindowRef frame, CopyDataCode code, std::optional<std::u16string_view> text) {
    for (const WindowRef tab : windows_.findChildren(frame, window_class::kBrowserTab)) {
        const WindowRef page = follow(tab, window_class::kTabToPage);
        if (page == kNoWindow) continue;
        if (tab_code::Handled(code, windows_.sendCopyData(page, code, text))) return true;
    }
    return false;
}

void WindowSignals::SendToBrowserTabs(CopyDataCode code) {
    for (const WindowRef frame : windows_.findTopLevel(window_class::kBrowserFrame)) {
        offerToTabs(frame, code, std::nullopt);
    }
}

void WindowSignals::SendToToolbars(CopyDataCode code) {
    for (const WindowRef frame : windows_.findTopLevel(window_class::kBrowserFrame)) {
        for (const WindowRef host : windows_.findChildren(frame, window_class::kToolbarHost)) {
            const WindowRef toolbar = follow(host, window_class::kHostToToolbar);
            if (toolbar != kNoWindow) windows_.sendCopyData(toolbar, code, std::nullopt);
        }
    }
}

void WindowSignals::SendToToolbarDialogs(std::u16string_view title, std::u16string_view text) {
    if (title.empty()) return;
    for (const WindowRef dialog : windows_.findTopLevel(window_class::kDialog)) {
        if (windows_.windowText(dialog) == title) {
            windows_.sendCopyData(dialog, dialog_code::kRefreshFolder, text);
        }
    }
}

bool WindowSignals::OpenPageInBrowser(std::u16string_view address) {
    const auto frames = windows_.findTopLevel(window_class::kBrowserFrame);
    if (!frames.empty() && offerToTabs(frames.front(), tab_code::kOpenAddress, address)) return true;
    return launcher_.shellOpen(kBrowserProgram, address);
}

void WindowSignals::CloseEditorsAndBrowsers() {
    SendToEditors(window_class::kPasscardEditor, editor_code::kClose, std::nullopt);
    SendToEditors(window_class::kIdentityEditor, editor_code::kClose, std::nullopt);
    for (const WindowRef frame : windows_.findTopLevel(window_class::kBrowserFrame)) {
        windows_.post(frame, kMessageClose, 0, 0);
    }
}

void WindowSignals::AllowCopyDataFromLowerIntegrity() {
    if (windows_.majorVersion() != kIntegrityFilterMajorVersion) return;
    windows_.allowFromLowerIntegrity(kMessageCopyData);
}

}  // namespace tarnwick
