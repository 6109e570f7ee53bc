#include "cardtree/tree_context_menu.h"

namespace tarnwick {
namespace {

constexpr MenuEntry kSeparator{};

TreeContextMenu fileMenu(const TreeCommandIds& ids) {
    return {u"TREE_FILE",
            {{ids.deleteCard, u"&Delete"},
             {ids.renameCard, u"&Rename..."},
             kSeparator,
             {ids.copyCard, u"&Copy"},
             {ids.cutCard, u"C&ut"},
             kSeparator,
             {ids.toggleProtection, u"&Protected"}}};
}

TreeContextMenu rootMenu(const TreeCommandIds& ids, bool pasteEnabled) {
    return {u"TREE_ROOT",
            {{ids.newFolder, u"&New Folder..."},
             kSeparator,
             {ids.paste, u"&Paste", pasteEnabled},
             kSeparator,
             {ids.exploreFolder, u"&Explore Folder..."},
             {ids.refreshFolder, u"Refresh &Folder"}}};
}

TreeContextMenu folderMenu(const TreeCommandIds& ids, bool pasteEnabled) {
    return {u"TREE_FOLDER",
            {{ids.newFolder, u"&New Folder..."},
             {ids.deleteFolder, u"&Delete"},
             {ids.renameFolder, u"&Rename..."},
             kSeparator,
             {ids.copyFolder, u"&Copy"},
             {ids.cutFolder, u"C&ut"},
             {ids.paste, u"&Paste", pasteEnabled},
             kSeparator,
             {ids.exploreFolder, u"&Explore Folder..."},
             {ids.refreshFolder, u"Refresh &Folder"}}};
}

}  // namespace

TreeContextMenu ContextMenuFor(const TreeFlavour& flavour, ItemKind kind, bool clipboardEmpty) {
    switch (kind) {
        case ItemKind::Card:
            return fileMenu(flavour.commands);
        case ItemKind::Root:
            return rootMenu(flavour.commands, !clipboardEmpty);
        case ItemKind::Folder:
            break;
    }
    return folderMenu(flavour.commands, !clipboardEmpty);
}

}  // namespace tarnwick
