// The copy-data requests an editor's main window accepts: code 0, reload the
// library tree and select a path (the current item when the text is empty),
// code 1, close without asking, and code 2, forget the primary password (the
// tray program's lock). Decoded from the raw message before a
// byte is trusted; every other code is ignored.
#pragma once

#include <cstdint>
#include <string>

#include "platform/copy_data.h"

namespace tarnwick {

// What the editor window does for a request; the window layer implements it.
class EditorRequests {
public:
    virtual ~EditorRequests() = default;
    // Rebuild the tree, focus it, select `path` (the current item when empty).
    virtual void reloadAndSelect(const std::u16string& path) = 0;
    // Drop unsaved changes (clear the changed flag), then ask the window to close.
    virtual void closeWithoutAsking() = 0;
    // Forget the primary password held in memory; the card on show stays.
    virtual void forgetPrimaryPassword() = 0;
};

// Carries out a received request; the reply is the code for the codes
// handled, 0 for any other.
std::intptr_t HandleEditorCopyData(const ReceivedCopyData& request, EditorRequests& editor);

// The same from the raw WM_COPYDATA fields.
std::intptr_t HandleEditorCopyData(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData,
                                   EditorRequests& editor);

}  // namespace tarnwick
