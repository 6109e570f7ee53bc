// A Prompts that answers message boxes from a queue and records every box
// shown, so that tests can check owner, text, caption and style. Name dialogs
// take typed texts from their own queue and apply the dialog's real rule.
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

// The owner of the boxes a name dialog shows for a refused name.
inline constexpr WindowRef kNameDialogWindow = 0xD1A1;

struct ShownNameDialog {
    WindowRef owner;
    std::u16string title;
    std::u16string label;
    std::u16string initialText;
    std::size_t maxChars;
};

class ScriptedPrompts : public Prompts {
public:
    // What the user types into the next name dialog and confirms with OK; a
    // refused name shows its box (recorded in shown()) and the dialog takes
    // the next queued text. A cancel ends the dialog.
    void queueTypedName(std::u16string typed) { names_.push_back(std::move(typed)); }
    void queueNameCancel() { names_.push_back(std::nullopt); }

    // The answer to the next box not yet answered.
    void queueAnswer(int answer) { answers_.push_back(answer); }
    void setActiveWindow(WindowRef window) { active_ = window; }

    // A box with no answer queued fails the test and is answered 0.
    int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                   unsigned style) override;
    WindowRef activeWindow() override { return active_; }
    // A dialog with no text queued fails the test and is cancelled.
    bool askName(WindowRef owner, NameDialogRequest& request) override;

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::size_t unusedAnswers() const { return answers_.size() + names_.size(); }
    const std::vector<ShownNameDialog>& nameDialogs() const { return nameDialogs_; }

private:
    std::deque<int> answers_;
    std::vector<ShownBox> shown_;
    std::deque<std::optional<std::u16string>> names_;
    std::vector<ShownNameDialog> nameDialogs_;
    WindowRef active_ = kNoWindow;
};

}  // namespace tarnwick::test
