// The library tree's right-button menus (TREE_FILE for a card, TREE_ROOT for
// the root, TREE_FOLDER for another folder) as items the window layer turns
// into a pop-up menu; commands go to the editor window.
#pragma once

#include <string_view>
#include <vector>

#include "cardtree/tree_flavour.h"
#include "cardtree/tree_item.h"

namespace tarnwick {

struct MenuEntry {
    unsigned id = 0;  // 0: a separator
    std::u16string_view text;
    bool enabled = true;
    bool operator==(const MenuEntry&) const = default;
};

struct TreeContextMenu {
    std::u16string_view name;  // "TREE_FILE", "TREE_ROOT" or "TREE_FOLDER"
    std::vector<MenuEntry> entries;
};

// The menu for an item; "&Paste" is disabled when the editor clipboard is empty.
TreeContextMenu ContextMenuFor(const TreeFlavour& flavour, ItemKind kind, bool clipboardEmpty);

}  // namespace tarnwick
