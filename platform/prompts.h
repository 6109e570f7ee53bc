// What the programs ask of the user: message boxes now, and the modal dialogs
// (password, names) as their modules arrive. Texts come in display form,
// already looked up in the message catalogue.
#pragma once

#include <string>

#include "platform/name_dialog.h"
#include "platform/window_ref.h"

namespace tarnwick {

class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a message box and returns the button pressed (the Win32 answer
    // codes; 0 when the box could not be shown). style is the MessageBoxW style.
    virtual int messageBox(WindowRef owner, const std::u16string& text,
                           const std::u16string& caption, unsigned style) = 0;

    // The calling thread's active window, the owner of many boxes; kNoWindow when none.
    virtual WindowRef activeWindow() = 0;

    // A modal name dialog owned by `owner`: true when OK took a name (then in
    // request.text), false when cancelled. A system without one cancels.
    virtual bool askName(WindowRef owner, NameDialogRequest& request);
};

}  // namespace tarnwick
