// What the CLI's card commands share: which kind of card a file is, the
// primary password from --password, and message boxes as lines on stderr.
// Each editor's catalogue is IdentityMessages() or PasscardMessages().
#pragma once

#include <optional>
#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_catalogue.h"
#include "foundation/password_gate.h"
#include "platform/prompts.h"
#include "tools/tarnwick/cli_args.h"

namespace tarnwick::cli {

enum class CardFileKind { Identity, Passcard };

// By the extension (".vrt", ".vrc", in any case); a usage error otherwise.
CardFileKind KindOfCard(const std::u16string& path);
// The file name without folder and extension: the card's name.
std::u16string CardNameOf(const std::u16string& path);

// "--password PW": a primary password is 8 characters.
std::optional<std::u16string> TakePassword(ArgList& args);
// "on" or "off".
bool TakeOnOff(ArgList& args);

// The primary password on the first line of a file ("--password-file FILE",
// a core path), after a UTF-8 mark an editor may have written; 8 characters
// or a usage error. Whatever else the file holds is wiped unread.
std::u16string ReadPasswordFile(const std::u16string& path);
// A usage error unless `password` is the primary password of that user.
void ExpectUsersPassword(const std::u16string& password, const std::u16string& userFolder);

// The password given on the command line stands in for the prompt: without
// one, the gate answers as a cancelled prompt does.
class CliPasswordGate : public PasswordGate {
public:
    explicit CliPasswordGate(std::optional<std::u16string> password) : password_(std::move(password)) {}
    bool EnsurePrimaryPassword(WindowRef parent) override;
    // True once a card asked for the password and none was given.
    bool refused() const { return refused_; }

private:
    std::optional<std::u16string> password_;
    bool refused_ = false;
};

// A message box becomes a line on stderr, "caption: text", answered OK.
class CliPrompts : public Prompts {
public:
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption, unsigned style) override;
    WindowRef activeWindow() override { return kNoWindow; }
    // Nobody can type here: the dialog is cancelled at once (the password
    // comes from --password instead).
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules& rules) override {
        rules.cancel();
        return false;
    }
};

}  // namespace tarnwick::cli
