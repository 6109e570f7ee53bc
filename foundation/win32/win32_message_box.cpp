#include "foundation/win32/win32_message_box.h"

#include "platform/win32/window_layout.h"

namespace tarnwick {

static_assert(kMbOk == MB_OK && kMbOkCancel == MB_OKCANCEL && kMbYesNoCancel == MB_YESNOCANCEL && kMbYesNo == MB_YESNO);
static_assert(kMbIconError == MB_ICONERROR && kMbIconQuestion == MB_ICONQUESTION && kMbIconWarning == MB_ICONWARNING);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);

LOGFONTW MakeDialogLogFont(const DialogFontDescription& font) { return LogFontFromFace(font.faceName, font.height); }

HFONT CreateDialogFont(const MessageCatalogue& catalogue) {
    const DialogFontDescription font = DialogFont(catalogue);
    return CreateFontFromFace(font.faceName, font.height);
}

}  // namespace tarnwick
