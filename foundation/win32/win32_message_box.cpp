#include "foundation/win32/win32_message_box.h"

#include <algorithm>
#include <iterator>

namespace tarnwick {

static_assert(kMbOk == MB_OK && kMbOkCancel == MB_OKCANCEL && kMbYesNoCancel == MB_YESNOCANCEL &&
              kMbYesNo == MB_YESNO);
static_assert(kMbIconError == MB_ICONERROR && kMbIconQuestion == MB_ICONQUESTION &&
              kMbIconWarning == MB_ICONWARNING);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);

LOGFONTW MakeDialogLogFont(const DialogFontDescription& font) {
    LOGFONTW logFont{};
    logFont.lfHeight = font.height;
    const std::size_t length =
        std::min(font.faceName.size(), std::size(logFont.lfFaceName) - 1);
    std::copy_n(font.faceName.begin(), length, logFont.lfFaceName);
    return logFont;
}

HFONT CreateDialogFont(const MessageCatalogue& catalogue) {
    const LOGFONTW logFont = MakeDialogLogFont(DialogFont(catalogue));
    return CreateFontIndirectW(&logFont);
}

}  // namespace tarnwick
