// What became of a selection in an editor's library tree, for the window
// layer to carry out.
#pragma once

#include <string>

namespace tarnwick {

struct SelectionOutcome {
    enum class Kind {
        Shown,           // the card is on the form (or the folder's form disabled)
        WaitingForPage,  // loaded; the form shows it once the page has loaded
        KeptPrevious,    // not opened (prompt cancelled, another user's card); when `folder` is
                         // set, the tree selects that item (the one still shown) again
        Damaged          // the damaged-card question was asked: rebuild the tree and select `folder`
    };
    Kind kind = Kind::Shown;
    std::u16string folder;
};

}  // namespace tarnwick
