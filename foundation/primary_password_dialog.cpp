#include "foundation/primary_password_dialog.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/text_file.h"

namespace tarnwick {

PasswordDialogLook PrimaryPasswordDialogLook(const MessageCatalogue& catalogue) {
    const DialogFontDescription font = DialogFont(catalogue);
    return {std::u16string(kPasswordDialogTitle), std::u16string(kPasswordDialogPrompt), kPrimaryPasswordLength,
            font.height, font.faceName};
}

bool PrimaryPasswordDialog::accept(WindowRef dialog, const std::u16string& text) {
    if (!profile_.IsPrimaryPassword(text)) {
        ShowMessage(profile_.prompts(), dialog, kErrorBox, catalogue_key::kWrongPassword, profile_.catalogue());
        return false;
    }
    try {
        profile_.AdoptPrimaryPassword(text);
    } catch (const CTextFileException&) {
        // The password is right and holds for this run; it is only not
        // remembered for the next one, which will ask again.
    }
    return true;
}

void PrimaryPasswordDialog::cancel() {
    try {
        profile_.ForgetPrimaryPassword();
    } catch (const CTextFileException&) {
        // The prompt stays cancelled; the file keeps its old "[KEY]".
    }
}

bool PrimaryPasswordDialog::run(WindowRef owner) {
    return profile_.prompts().askPrimaryPassword(owner, PrimaryPasswordDialogLook(profile_.catalogue()), *this);
}

}  // namespace tarnwick
