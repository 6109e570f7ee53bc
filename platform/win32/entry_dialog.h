// A modal dialog with one edit box whose OK and Cancel go to portable
// EntryDialogRules: OK hands the typed text over (the copies wiped after) and
// ends the dialog with IDOK only when the rules accept it; Cancel tells the
// rules and always ends with IDCANCEL. Nothing may unwind through the dialog
// manager, so a rule that throws keeps the dialog open.
#pragma once

#include <cstddef>
#include <limits>

#include "platform/prompts.h"
#include "platform/win32/dialog_base.h"

namespace tarnwick {

class EntryDialog : public DialogBase {
public:
    // True when the rules accepted a text with OK.
    bool run(const DialogTemplate& layout, HWND owner);

protected:
    // `maxChars` limits the edit; at most `readChars` of its text go to the rules.
    EntryDialog(EntryDialogRules& rules, int editId, std::size_t maxChars,
                std::size_t readChars = std::numeric_limits<std::size_t>::max());

    HWND edit() const { return item(editId_); }
    // Limits the edit; a derived dialog's onInitDialog calls it first.
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    // After the rules refused a text (they have shown why).
    virtual void onRejected() {}

private:
    void ok();
    void cancel();

    EntryDialogRules& rules_;
    int editId_;
    std::size_t maxChars_;
    std::size_t readChars_;
};

}  // namespace tarnwick
