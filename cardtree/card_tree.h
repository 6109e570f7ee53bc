// `CardTree`: the library tree of both editors and its folder and card
// operations on the disk, with their dialogs, message boxes and change notices. The editor
// window (or the tree-view control) passes the selected item; the tree carries
// the operation out through its ports and keeps the model the control shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cardtree/card_tree_model.h"
#include "cardtree/editor_clipboard.h"
#include "cardtree/library_change_guard.h"
#include "cardtree/tree_context_menu.h"
#include "cardtree/tree_flavour.h"
#include "cardtree/tree_item.h"
#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "foundation/window_signals.h"
#include "platform/file_system.h"
#include "platform/launcher.h"
#include "platform/prompts.h"

namespace tarnwick {

struct CardTreePorts {
    FileSystem& files;
    Prompts& prompts;
    WindowSignals& signals;
    Launcher& launcher;  // the file browser of Explore Folder
};

class CardTree {
public:
    // rootPath: the current user's folder. The clipboard is the editor's.
    CardTree(const TreeFlavour& flavour, std::u16string rootPath, EditorClipboard& clipboard, CardTreePorts ports,
             const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    const TreeFlavour& flavour() const { return flavour_; }
    CardTreeModel& model() { return model_; }
    const EditorClipboard& clipboard() const { return clipboard_; }
    // The owner of the operations' message boxes: the editor window.
    void setOwner(WindowRef owner) { owner_ = owner; }
    // The editor's card session, asked before an entry moves, is renamed or
    // is deleted, and told after (none: nothing is asked).
    void setGuard(LibraryChangeGuard* guard) { guard_ = guard; }

    // Carries out the command on the selected item. False when the id is not
    // one the tree carries out (Protected is the editor's).
    bool runCommand(unsigned id, const TreeSelection& selected);

    // The tree's menu commands, each on the selected item.
    void newFolder(const TreeSelection& selected);
    void deleteFolder(const TreeSelection& selected);
    void renameFolder(const TreeSelection& selected);
    void copyFolder(const TreeSelection& selected);
    void cutFolder(const TreeSelection& selected);
    void paste(const TreeSelection& selected);
    void exploreFolder(const TreeSelection& selected);
    void refreshFolder();
    void deleteCard(const TreeSelection& selected);
    void renameCard(const TreeSelection& selected);
    void copyCard(const TreeSelection& selected);
    void cutCard(const TreeSelection& selected);

    // In-place rename, the end of label editing: the item's new text when it was renamed
    // on disk, nothing when the label must go back.
    std::optional<std::u16string> renameInPlace(const TreeSelection& item, std::u16string_view text);

    // Drag and drop: whether `target` takes a drop of `dragged`, and the drop itself
    // (true when the item moved).
    bool canDrop(const TreeSelection& dragged, const TreeSelection& target) const;
    bool dropOnto(const TreeSelection& dragged, const TreeSelection& target);

    // The reload request: rebuilds the tree and returns the item to select: that of `path`,
    // or of `currentPath` (the editor's) when `path` is empty. Every item of
    // the model is new afterwards: a control showing it calls this through
    // its own reload (CardTreeView::reload).
    TreeItem* reload(std::u16string_view path, std::u16string_view currentPath);

    // The context menu for an item of this kind.
    TreeContextMenu contextMenuFor(ItemKind kind) const;

private:
    std::optional<std::u16string> askName(std::u16string_view titleKey, std::u16string_view label,
                                          std::u16string initial, std::u16string_view ruleKey, int editId);
    int show(const MessageBoxKind& kind, std::u16string_view key);
    void notifyFolders(std::u16string_view path);
    void notifyCards(std::u16string_view path);
    std::u16string cardFile(const std::u16string& path) const;
    std::u16string belowRoot(const std::u16string& path) const;
    void pasteFolderCopy(const std::u16string& target);
    void pasteCardCopy(const std::u16string& target);
    void pasteCut(const std::u16string& target);
    void forgetCutItemWhenCleared();
    // The guard's say before a change of `entry`, and what it hears after.
    bool mayChange(const std::u16string& entry);
    std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to);

    const TreeFlavour& flavour_;
    EditorClipboard& clipboard_;
    CardTreePorts ports_;
    const MessageCatalogue& catalogue_;
    CardTreeModel model_;
    WindowRef owner_ = kNoWindow;
    LibraryChangeGuard* guard_ = nullptr;
};

}  // namespace tarnwick
