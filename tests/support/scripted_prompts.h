// A Prompts that answers message boxes from a queue and records every box
// shown, so that tests can check owner, text, caption and style. The entry
// dialogs take typed texts from their own queues and ask the real rules.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace tarnwick::test {

struct ShownBox {
    WindowRef owner;
    std::u16string text;
    std::u16string caption;
    unsigned style;
};

// The window the scripted dialogs pass their rules: the owner of the boxes
// the rules show while a dialog is open.
inline constexpr WindowRef kScriptedDialogWindow = 0xD1A1;

struct ShownNameDialog {
    WindowRef owner;
    NameDialogLook look;
};

class ScriptedPrompts : public Prompts {
public:
    // The answer to the next box not yet answered.
    void queueAnswer(int answer) { answers_.push_back(answer); }
    void setActiveWindow(WindowRef window) { active_ = window; }

    // A box with no answer queued fails the test and is answered 0.
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption, unsigned style) override;
    WindowRef activeWindow() override { return active_; }

    // The password dialog: each queued entry is typed and OK pressed until the
    // rules accept one; with no entries left, Cancel is pressed.
    void queuePasswordEntry(std::u16string text) { passwordEntries_.push_back(std::move(text)); }
    bool askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look, EntryDialogRules& rules) override;
    int passwordDialogsShown() const { return passwordDialogs_; }
    const PasswordDialogLook& lastPasswordLook() const { return lastLook_; }
    WindowRef lastPasswordOwner() const { return lastPasswordOwner_; }

    // The name dialog: each queued text is typed and OK pressed until the rules
    // accept one; a queued cancel, or no text left, presses Cancel.
    void queueTypedName(std::u16string text) { names_.push_back(std::move(text)); }
    void queueNameCancel() { names_.push_back(std::nullopt); }
    bool askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules) override;
    const std::vector<ShownNameDialog>& nameDialogs() const { return nameDialogs_; }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

private:
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    std::deque<std::u16string> passwordEntries_;
    int passwordDialogs_ = 0;
    PasswordDialogLook lastLook_;
    WindowRef lastPasswordOwner_ = kNoWindow;
    std::deque<std::optional<std::u16string>> names_;
    std::vector<ShownNameDialog> nameDialogs_;
    WindowRef active_ = kNoWindow;
};

}  // namespace tarnwick::test
