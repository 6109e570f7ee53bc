// The rules of the primary-password dialog, the same in both editors: OK takes
// exactly 8 characters whose check text is the user's "[CHECKKEY]", else shows
// the password error and stays open; Cancel forgets the remembered password.
#pragma once

#include <string>
#include <string_view>

#include "foundation/user_profile.h"
#include "platform/prompts.h"

namespace tarnwick {

inline constexpr std::size_t kPrimaryPasswordLength = 8;
inline constexpr std::u16string_view kPasswordDialogTitle = u"Tarnwick";
inline constexpr std::u16string_view kPasswordDialogPrompt =
    u"Please enter the Primary Password of Tarnwick Current user that opens protected Card";

// Title, text, the 8-character edit and the catalogue's dialog font.
PasswordDialogLook PrimaryPasswordDialogLook(const MessageCatalogue& catalogue);

class PrimaryPasswordDialog : public EntryDialogRules {
public:
    explicit PrimaryPasswordDialog(UserProfile& profile) : profile_(profile) {}

    bool accept(WindowRef dialog, const std::u16string& text) override;
    void cancel() override;

    // Shows the dialog; true when it ended with OK.
    bool run(WindowRef owner);

private:
    UserProfile& profile_;
};

}  // namespace tarnwick
