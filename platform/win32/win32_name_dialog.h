// The name dialogs on Windows: a small modal dialog with a painted banner strip
// (a 3-D frame, the icon and the banner text), a label, one edit box, OK and
// Cancel. OK and Cancel go to the portable rules, which show any box themselves.
#pragma once

#include <windows.h>

#include "platform/prompts.h"

namespace tarnwick {

// The edit box's control id, for tests that type into it.
inline constexpr int kNameEditId = 1001;
// The banner strip's height in pixels.
inline constexpr int kNameBannerHeight = 39;

// True when the rules accepted a name with OK.
bool ShowNameDialog(HWND owner, const NameDialogLook& look, EntryDialogRules& rules);

}  // namespace tarnwick
