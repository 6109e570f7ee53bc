// The rule every name dialog's OK applies to a folder, card or field name:
// leading spaces removed, then not empty and none of the nine characters
// \ / : * ? " < > |. Folder and card names must also name exactly that file
// on Windows. A refused name gets a box owned by the dialog, which stays open.
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
// The longest file or folder name (one path component) Windows takes.
inline constexpr std::size_t kMaxComponentChars = 255;

// The name of a folder, or of a card when `extension` is given, without its
// leading spaces; nothing when the rule refuses it. Besides the nine characters
// it refuses what Windows would store under another name or not at all: a name
// ending in a dot or a space ("a." names "a", "." and ".." other folders),
// control characters, the device names CON, PRN, AUX, NUL, COM1-9 and LPT1-9
// with any extension and in any case, and a name that with its extension
// passes kMaxComponentChars.
std::optional<std::u16string> ApplyNameRule(std::u16string_view typed, std::u16string_view extension = {});
// The rule for names that are no file names (a passcard's fields): leading
// spaces removed, not empty, none of the nine characters.
std::optional<std::u16string> ApplyFieldNameRule(std::u16string_view typed);

// What a name dialog's OK and Cancel do; the Win32 dialog only forwards to it.
class NameDialogRules : public EntryDialogRules {
public:
    // refusalKey: one of the catalogue's name-rule keys; box: how a refusal is shown (a warning,
    // or an error for a new field); extension: a card name's file extension.
    // catalogue_key::kFieldNameRule takes field names, every other key file names.
    NameDialogRules(Prompts& prompts, std::u16string_view refusalKey, MessageBoxKind box,
                    const MessageCatalogue& catalogue = MessageCatalogue::Instance(),
                    std::u16string_view extension = {});

    bool accept(WindowRef dialog, const std::u16string& text) override;
    void cancel() override { name_.reset(); }

    // The name OK accepted; nothing after Cancel.
    const std::optional<std::u16string>& name() const { return name_; }

private:
    Prompts& prompts_;
    std::u16string_view refusalKey_;
    MessageBoxKind box_;
    std::u16string_view extension_;
    const MessageCatalogue& catalogue_;
    std::optional<std::u16string> name_;
};

}  // namespace tarnwick
