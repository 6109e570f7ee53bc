// What became of a selection in an editor's library tree (or of a command on
// the card on show), for the window layer to carry out.
#pragma once

#include <string>

namespace tarnwick {

struct SelectionOutcome {
    enum class Kind {
        Shown,           // the card is on the form (or the folder's form disabled)
        WaitingForPage,  // loaded; the form shows it once the page has loaded
        BackToShown,     // not opened, or the edits before it not saved: the tree selects
                         // `path` again (the item the form still shows), once its notice has ended
        Reload,          // the card was damaged: rebuild the tree and select `path`
        Unchanged        // the tree went back to what the form shows: nothing to do
    };
    Kind kind = Kind::Shown;
    std::u16string path;  // a tree path: a card's without its extension
};

}  // namespace tarnwick
