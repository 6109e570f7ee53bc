// The keyboard between the panes of an editor's main window: F6 and
// Shift+F6 go to the next and the previous pane from any control; Tab and
// Shift+Tab do the same from a pane with one stop (the tree, the tab view, the
// address box), and from the form pane once they pass its last or first
// input. NextPane says which pane comes next.
#pragma once

#include <windows.h>

#include <vector>

#include "htmlform/win32/form_view.h"

namespace tarnwick {

class PaneFocus {
public:
    // The panes in their order, each added once the window exists.
    void addPane(HWND pane);
    // The form pane: its Tab moves through its inputs and hands on at their ends.
    void addForm(FormView& form);

    // The message loop's look at a key before it is translated: true when it
    // was Tab or F6 for a pane and has moved the focus.
    bool translate(const MSG& message) const;
    // From the pane holding the focus to the next one (F6), or back (Shift+F6).
    void cycle(bool backwards) const { moveFrom(GetFocus(), backwards, false); }

private:
    struct Pane {
        HWND window = nullptr;
        FormView* form = nullptr;
    };

    // The pane `window` belongs to (itself or a control inside it), or -1.
    int paneOf(HWND window) const;
    // Moves on from the pane holding `focus`; `tabbing` enters a form at its
    // last input going backwards, as Shift+Tab does in a dialog.
    void moveFrom(HWND focus, bool backwards, bool tabbing) const;

    std::vector<Pane> panes_;
};

}  // namespace tarnwick
