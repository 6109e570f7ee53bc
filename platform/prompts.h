// What the programs ask of the user: message boxes and the modal dialogs. Texts come in display form,
// already looked up in the message catalogue.
#pragma once

#include <cstddef>
#include <string>

#include "platform/window_ref.h"

namespace tarnwick {

// The rules of a modal entry dialog: the Win32 dialog only forwards OK and
// Cancel to them.
class EntryDialogRules {
public:
    virtual ~EntryDialogRules() = default;
    // OK with the edit's text; true closes the dialog with OK. Boxes shown
    // meanwhile are owned by `dialog`. The dialog wipes `text` once this
    // returns: a secret kept beyond it is the rules' to wipe.
    virtual bool accept(WindowRef dialog, const std::u16string& text) = 0;
    // Cancel; the dialog then closes with Cancel.
    virtual void cancel() = 0;
};

// How the primary-password dialog looks.
struct PasswordDialogLook {
    std::u16string title;
    std::u16string prompt;     // the static text above the edit
    std::size_t maxChars = 0;  // the edit's limit; the typed text stays visible
    int fontHeight = 0;        // the edit's font
    std::u16string fontFace;
};

// How a name dialog looks (new folder, rename folder or card, field names):
// a banner strip with the title, a label and one edit box.
struct NameDialogLook {
    std::u16string title;      // the dialog's title and its banner text
    std::u16string label;      // beside the edit ("Folder Name :")
    std::u16string text;       // what the edit starts with
    std::size_t maxChars = 0;  // the edit's limit
    int editId = 0;            // the edit's control id; 0 for the usual 1001
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a message box and returns the button pressed (the Win32 answer
    // codes; 0 when the box could not be shown). style is the MessageBoxW style.
    virtual int messageBox(WindowRef owner, const std::u16string& text, const std::u16string& caption,
                           unsigned style) = 0;

    // The calling thread's active window, the owner of many boxes; kNoWindow when none.
    virtual WindowRef activeWindow() = 0;

    // The primary-password dialog, modal, centred on `owner`. True when it
    // ended with OK.
    virtual bool askPrimaryPassword(WindowRef owner, const PasswordDialogLook& look, EntryDialogRules& rules) = 0;

    // A name dialog, modal, owned by `owner`. True when it ended with OK; the
    // rules keep the name they accepted. A system without one cancels.
    virtual bool askName(WindowRef owner, const NameDialogLook& look, EntryDialogRules& rules);
};

}  // namespace tarnwick
