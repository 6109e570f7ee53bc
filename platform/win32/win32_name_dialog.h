// The name dialogs on Windows: a small modal dialog with a painted banner strip
// (icon and banner text), a label, one edit box, OK and Cancel. OK asks the
// request's acceptor; a refused name gets its box and the dialog stays open.
#pragma once

#include <windows.h>

#include "platform/name_dialog.h"

namespace tarnwick {

// The edit box's control id, for tests that type into it.
inline constexpr int kNameEditId = 1001;
// The banner strip's height in pixels.
inline constexpr int kNameBannerHeight = 39;

// True when OK took a name (then in request.text).
bool ShowNameDialog(HWND owner, NameDialogRequest& request);

}  // namespace tarnwick
