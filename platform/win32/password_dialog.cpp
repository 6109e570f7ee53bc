#include "platform/win32/password_dialog.h"

#include <string>

#include "platform/win32/window_layout.h"

namespace tarnwick {
namespace {

// The edit's text is taken through a buffer of 260.
constexpr std::size_t kEditBufferChars = 260;

}  // namespace

PasswordDialog::PasswordDialog(const PasswordDialogLook& look, EntryDialogRules& rules)
    : EntryDialog(rules, kPasswordEditId, look.maxChars, kEditBufferChars - 1),
      look_(look) {}

PasswordDialog::~PasswordDialog() {
    if (font_ != nullptr) DeleteObject(font_);
}

bool PasswordDialog::show(HWND owner) {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 230, 78, look_.title, 8, u"MS Shell Dlg");
    layout.addItem(kDialogStatic, kPasswordTextId, SS_LEFT, 8, 8, 214, 20, look_.prompt);
    layout.addItem(kDialogEdit, kPasswordEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 32, 214, 14, u"");
    layout.addItem(kDialogButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 112, 56, 52, 14, u"OK");
    layout.addItem(kDialogButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 170, 56, 52, 14, u"Cancel");
    return run(layout, owner);
}

bool PasswordDialog::onInitDialog() {
    EntryDialog::onInitDialog();
    font_ = CreateFontFromFace(look_.fontFace, look_.fontHeight);
    if (font_ != nullptr) SendMessageW(edit(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    CentreOnOwner(handle());
    return true;
}

void PasswordDialog::onDestroy() {
    // The edit frees its buffer without wiping it: text of the same length
    // written over the password first leaves nothing of it there.
    const int length = GetWindowTextLengthW(edit());
    if (length <= 0) return;
    const std::wstring filler(static_cast<std::size_t>(length), L' ');
    SetWindowTextW(edit(), filler.c_str());
    SetWindowTextW(edit(), L"");
}

}  // namespace tarnwick
