// The rule every name dialog's OK applies to a folder, card or field name:
// leading spaces removed, then not empty and none of the nine characters
// \ / : * ? " < > |. A refused name gets a box owned by the dialog, which stays open.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "platform/prompts.h"

namespace tarnwick {

// The name edit boxes hold at most this many characters.
inline constexpr std::size_t kMaxNameChars = 256;

// The name without its leading spaces, or nothing when the rule refuses it.
std::optional<std::u16string> ApplyNameRule(std::u16string_view typed);

// What a name dialog's OK and Cancel do; the Win32 dialog only forwards to it.
class NameDialogRules : public EntryDialogRules {
public:
    // refusalKey: one of the catalogue's name-rule keys; box: how a refusal is shown (a warning,
    // or an error for a new field).
    NameDialogRules(Prompts& prompts, std::u16string_view refusalKey, MessageBoxKind box,
                    const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    bool accept(WindowRef dialog, const std::u16string& text) override;
    void cancel() override { name_.reset(); }

    // The name OK accepted; nothing after Cancel.
    const std::optional<std::u16string>& name() const { return name_; }

private:
    Prompts& prompts_;
    std::u16string_view refusalKey_;
    MessageBoxKind box_;
    const MessageCatalogue& catalogue_;
    std::optional<std::u16string> name_;
};

}  // namespace tarnwick
