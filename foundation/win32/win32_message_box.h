// The Win32 side of message_box.h: the programs' control font as a GDI font.
#pragma once

#include <windows.h>

#include "foundation/message_box.h"

namespace tarnwick {

// All zero but lfHeight and lfFaceName (cut to the 31 characters it holds).
LOGFONTW MakeDialogLogFont(const DialogFontDescription& font);
// CreateFontIndirectW of that LOGFONTW; the caller deletes the font.
HFONT CreateDialogFont(const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
