#include "cardtree/card_tree.h"

#include "cardtree/folder_operations.h"
#include "cardtree/name_rule.h"
#include "cardtree/tree_path.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

// The file browser, a new window on the folder.
constexpr std::u16string_view kExploreCommand = u"explorer /n, ";

std::u16string stripped(std::u16string_view name, std::u16string_view extension) {
    if (IsCardFileName(name, extension)) name.remove_suffix(extension.size());
    return std::u16string(name);
}

// The folder an operation aimed at a folder uses when a card is selected: its own.
std::u16string folderOf(const TreeSelection& selected) {
    return selected.isFolder() ? selected.path : std::u16string(ParentPath(selected.path));
}

}  // namespace

CardTree::CardTree(const TreeFlavour& flavour, std::u16string rootPath, EditorClipboard& clipboard, CardTreePorts ports,
                   const MessageCatalogue& catalogue)
    : flavour_(flavour),
      clipboard_(clipboard),
      ports_(ports),
      catalogue_(catalogue),
      model_(ports.files, std::move(rootPath), flavour.extension) {}

bool CardTree::runCommand(unsigned id, const TreeSelection& selected) {
    const TreeCommandIds& ids = flavour_.commands;
    if (id == ids.newFolder) newFolder(selected);
    else if (id == ids.deleteFolder) deleteFolder(selected);
    else if (id == ids.renameFolder) renameFolder(selected);
    else if (id == ids.copyFolder) copyFolder(selected);
    else if (id == ids.cutFolder) cutFolder(selected);
    else if (id == ids.paste) paste(selected);
    else if (id == ids.exploreFolder) exploreFolder(selected);
    else if (id == ids.refreshFolder) refreshFolder();
    else if (id == ids.deleteCard) deleteCard(selected);
    else if (id == ids.renameCard) renameCard(selected);
    else if (id == ids.copyCard) copyCard(selected);
    else if (id == ids.cutCard) cutCard(selected);
    else return false;
    forgetCutItemWhenCleared();
    return true;
}

// New Folder: a folder named in the dialog, inside the selected folder.
void CardTree::newFolder(const TreeSelection& selected) {
    const auto name =
        askName(flavour_.newFolderTitleKey, kFolderNameLabel, {}, key::kFolderNameRule, flavour_.newFolderEditId);
    if (!name) return;
    const std::u16string path = JoinPath(folderOf(selected), *name);
    if (CreateFolderAt(ports_.files, path) != kErrorSuccess) {
        show(kErrorBox, key::kFolderExists);
        return;
    }
    notifyFolders(path);
}

// Delete Folder: an empty folder goes at once, a full one once the user agrees.
void CardTree::deleteFolder(const TreeSelection& selected) {
    if (selected.kind == ItemKind::Card) return;
    if (selected.kind == ItemKind::Root) {
        show(kWarningBox, key::kRootNotDeleted);
        return;
    }
    if (!mayChange(selected.path)) return;
    clipboard_.clear();
    // A folder that will not go empty is taken to hold entries: ask, then delete everything below.
    if (ports_.files.removeFolder(selected.path) != kErrorSuccess) {
        if (show(kWarningOkCancelBox, key::kDeleteNonEmptyFolder) != kIdOk) return;
        if (!DeleteFolderTree(ports_.files, selected.path)) show(kErrorBox, key::kDeleteFolderFailure);
    }
    if (guard_ != nullptr && !EntryExists(ports_.files, selected.path)) guard_->removed(selected.path);
    notifyFolders(ParentPath(selected.path));
}

// Rename Folder, through the name dialog.
void CardTree::renameFolder(const TreeSelection& selected) {
    if (selected.kind == ItemKind::Card) return;
    if (selected.kind == ItemKind::Root) {
        // Renaming the root would move the user folder away from the registry's value.
        show(kErrorWarningIconBox, key::kRootNotRenamed);
        return;
    }
    const std::u16string parent(ParentPath(selected.path));
    const std::u16string oldName(LastComponent(selected.path));
    const auto name = askName(flavour_.renameFolderTitleKey, kFolderNameLabel, oldName, key::kFolderNameRule,
                              flavour_.renameFolderEditId);
    clipboard_.clear();
    if (!name) {
        notifyFolders(JoinPath(parent, {}));
        return;
    }
    const std::u16string path = JoinPath(parent, *name);
    if (*name != oldName && mayChange(selected.path) && moveEntry(selected.path, path) != kErrorSuccess) {
        show(kErrorBox, key::kRenameFolderFailure);
    }
    notifyFolders(path);
}

// Copy Folder: only remembered; Paste does the copying.
void CardTree::copyFolder(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Folder) return;
    clipboard_.copy(selected.path, ClipboardKind::Folder);
}

// Cut Folder: remembered and drawn as cut; Paste moves it.
void CardTree::cutFolder(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Folder) return;
    clipboard_.cut(selected.path, ClipboardKind::Folder);
    model_.setCutItem(model_.itemAt(selected.path));
}

// Paste what Copy or Cut remembered into the selected folder.
void CardTree::paste(const TreeSelection& selected) {
    const std::u16string target = folderOf(selected);
    if (!clipboard_.copySource().empty() && clipboard_.kind() == ClipboardKind::Folder) {
        if (IsSameOrInside(target, clipboard_.copySource())) {
            show(kWarningBox, key::kCopyIntoItself);
            clipboard_.clearCopySource();
            return;
        }
        pasteFolderCopy(target);
    } else if (!clipboard_.copySource().empty()) {
        pasteCardCopy(target);
    } else if (!clipboard_.cutSource().empty()) {
        pasteCut(target);
    }
    // The kind stays with the copy source, so a second Paste copies the same again.
    notifyFolders(target);
}

void CardTree::pasteFolderCopy(const std::u16string& target) {
    const std::u16string& source = clipboard_.copySource();
    FolderEntry entry;
    if (ports_.files.queryEntry(source, entry) != kErrorSuccess || !entry.isFolder) return;
    const std::u16string copy = FreeCopyPath(ports_.files, target, LastComponent(source), {}, catalogue_);
    if (CreateFolderAt(ports_.files, copy) == kErrorSuccess) {
        CopyFolderContents(ports_.files, source, copy);
    }
}

void CardTree::pasteCardCopy(const std::u16string& target) {
    const std::u16string& source = clipboard_.copySource();
    const std::u16string copy = FreeCopyPath(ports_.files, target, stripped(LastComponent(source), flavour_.extension),
                                             flavour_.extension, catalogue_);
    if (CopyFileTo(ports_.files, source, copy) != kErrorSuccess) {
        show(kErrorBox, flavour_.copyCardFailureKey);
        clipboard_.clearCopySource();
    }
}

void CardTree::pasteCut(const std::u16string& target) {
    const std::u16string source = clipboard_.cutSource();
    const bool folder = clipboard_.kind() == ClipboardKind::Folder;
    const std::u16string_view extension = folder ? std::u16string_view() : flavour_.extension;
    const std::u16string name =
        folder ? std::u16string(LastComponent(source)) : stripped(LastComponent(source), extension);
    const std::u16string moved = FreeCopyPath(ports_.files, target, name, extension, catalogue_);
    if (!mayChange(source)) return;
    const std::uint32_t result = moveEntry(source, moved);
    clipboard_.clearCutSource();
    if (result != kErrorSuccess) show(kErrorBox, folder ? key::kCutFolderFailure : flavour_.cutCardFailureKey);
}

// Explore Folder: a file browser window on the folder.
void CardTree::exploreFolder(const TreeSelection& selected) {
    // The wide command line keeps names the ANSI code page cannot hold.
    std::u16string command(kExploreCommand);
    command += JoinPath(folderOf(selected), {});
    ports_.launcher.createProcess(command);
}

// Refresh Folder: the change notices bring the reload that rereads the disk.
void CardTree::refreshFolder() { notifyFolders({}); }

// Delete a card, once the user agrees.
void CardTree::deleteCard(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Card) return;
    const std::u16string question = DeleteCardQuestion(flavour_.cardKind, belowRoot(selected.path), catalogue_);
    const std::u16string file = cardFile(selected.path);
    // Pending edits are saved first, so that No leaves them on the card; a
    // save that fails stops the deletion with its report.
    if (!mayChange(file)) return;
    if (ShowMessageText(ports_.prompts, owner_, kQuestionBox, question, catalogue_) != kIdYes) return;
    clipboard_.clear();
    if (ports_.files.deleteFile(file) != kErrorSuccess) {
        show(kErrorBox, flavour_.deleteCardFailureKey);
        return;
    }
    if (guard_ != nullptr) guard_->removed(file);
    notifyCards(ParentPath(selected.path));
}

// Rename a card, through the name dialog.
void CardTree::renameCard(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Card) return;
    const std::u16string oldName(LastComponent(selected.path));
    const auto name = askName(flavour_.renameCardTitleKey, flavour_.cardNameLabel, oldName, flavour_.cardNameRuleKey,
                              flavour_.renameCardEditId);
    clipboard_.clear();
    if (!name) return;
    const std::u16string path = cardFile(JoinPath(ParentPath(selected.path), *name));
    if (*name != oldName && !mayChange(cardFile(selected.path))) return;
    if (*name != oldName && moveEntry(cardFile(selected.path), path) != kErrorSuccess) {
        show(kErrorBox, flavour_.renameCardFailureKey);
        return;
    }
    notifyCards(path);
}

// Copy a card: only remembered; Paste does the copying.
void CardTree::copyCard(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Card) return;
    clipboard_.copy(cardFile(selected.path), ClipboardKind::Card);
}

// Cut a card: remembered and drawn as cut; Paste moves it.
void CardTree::cutCard(const TreeSelection& selected) {
    if (selected.kind != ItemKind::Card) return;
    clipboard_.cut(cardFile(selected.path), ClipboardKind::Card);
    model_.setCutItem(model_.itemAt(cardFile(selected.path)));
}

// In-place rename: the end of label editing in the tree.
std::optional<std::u16string> CardTree::renameInPlace(const TreeSelection& item, std::u16string_view text) {
    const std::u16string_view oldName = LastComponent(item.path);
    if (text == oldName) return std::nullopt;
    if (item.kind == ItemKind::Root) {
        show(kErrorWarningIconBox, key::kRootNotRenamed);
        return std::nullopt;
    }
    const bool card = item.kind == ItemKind::Card;
    // The label takes the same names as the rename dialogs: "..\x" or "a\b"
    // would move the item out of its folder or out of the library.
    const auto name = ApplyNameRule(text, card ? flavour_.extension : std::u16string_view{});
    if (!name) {
        show(kWarningBox, card ? flavour_.cardNameRuleKey : key::kFolderNameRule);
        return std::nullopt;
    }
    if (*name == oldName) return std::nullopt;
    std::u16string path = JoinPath(ParentPath(item.path), *name);
    if (card) path = cardFile(path);
    const std::u16string from = card ? cardFile(item.path) : item.path;
    // A change of case only names the same entry, which Windows renames in place.
    if (!SamePath(from, path) && EntryExists(ports_.files, path)) {
        show(kErrorBox, card ? key::kSameNameFile : key::kSameNameFolder);
        return std::nullopt;
    }
    if (!mayChange(from) || moveEntry(from, path) != kErrorSuccess) return std::nullopt;
    if (card) notifyCards(path);
    else notifyFolders(path);
    if (TreeItem* moved = model_.itemAt(from); moved != nullptr && moved->selection() == item) {
        model_.setText(*moved, *name);
    }
    return name;
}

// Drag and drop: a folder or card moved onto another folder.
bool CardTree::canDrop(const TreeSelection& dragged, const TreeSelection& target) const {
    // The root never moves: every folder lies inside it.
    if (target.kind != ItemKind::Folder || dragged.kind == ItemKind::Root) return false;
    if (target == dragged) return false;
    // Not a folder on the way up from the dragged item to the root.
    if (IsSameOrInside(ParentPath(dragged.path), target.path)) return false;
    // Not a direct child of the dragged folder.
    return !(dragged.isFolder() && SamePath(ParentPath(target.path), dragged.path));
}

bool CardTree::dropOnto(const TreeSelection& dragged, const TreeSelection& target) {
    if (!canDrop(dragged, target)) return false;
    const bool card = dragged.kind == ItemKind::Card;
    std::u16string path = JoinPath(target.path, LastComponent(dragged.path));
    if (card) path = cardFile(path);
    if (EntryExists(ports_.files, path)) {
        show(kErrorBox, card ? key::kSameNameFile : key::kSameNameFolder);
        return false;
    }
    const std::u16string from = card ? cardFile(dragged.path) : dragged.path;
    // A folder moved below itself fails in the file system; nothing is shown.
    if (!mayChange(from) || moveEntry(from, path) != kErrorSuccess) return false;
    if (card) notifyCards(path);
    else notifyFolders(path);
    return true;
}

// Reload request: the tray answers every change notice with one.
TreeItem* CardTree::reload(std::u16string_view path, std::u16string_view currentPath) {
    model_.setRoot();
    // The path comes from another process: it is read as the file system would
    // read it, and what does not lie in the library selects the root.
    const std::u16string& rootPath = model_.rootPath();
    const auto root = ResolveWindowsPath(rootPath);
    const auto wanted =
        root ? ResolveInside(path.empty() ? currentPath : path, *root, PathPlace::SameOrBelow) : std::nullopt;
    if (!wanted) return model_.root();
    std::u16string_view below = std::u16string_view(*wanted).substr(root->size());
    while (!below.empty() && below.front() == u'\\') below.remove_prefix(1);
    return model_.itemAt(below.empty() ? rootPath : JoinPath(rootPath, below));
}

// The context menu of an item.
TreeContextMenu CardTree::contextMenuFor(ItemKind kind) const {
    return ContextMenuFor(flavour_, kind, clipboard_.empty());
}

std::optional<std::u16string> CardTree::askName(std::u16string_view titleKey, std::u16string_view label,
                                                std::u16string initial, std::u16string_view ruleKey, int editId) {
    // A card's name leaves room for its extension in the file's name.
    const std::u16string_view extension =
        ruleKey == flavour_.cardNameRuleKey ? flavour_.extension : std::u16string_view{};
    NameDialogRules rules(ports_.prompts, ruleKey, kWarningBox, catalogue_, extension);
    const NameDialogLook look{catalogue_.Lookup(titleKey), std::u16string(label), std::move(initial), kMaxNameChars,
                              editId};
    if (!ports_.prompts.askName(ports_.prompts.activeWindow(), look, rules)) return std::nullopt;
    return rules.name();
}

int CardTree::show(const MessageBoxKind& kind, std::u16string_view key) {
    return ShowMessage(ports_.prompts, owner_, kind, key, catalogue_);
}

// The folder tree is shared by both libraries: both sides hear of a folder change.
void CardTree::notifyFolders(std::u16string_view path) {
    ports_.signals.NotifyTray(notify_kind::kPasscards, path);
    ports_.signals.NotifyTray(notify_kind::kIdentities, path);
}

void CardTree::notifyCards(std::u16string_view path) { ports_.signals.NotifyTray(flavour_.cardNoticeKind, path); }

std::u16string CardTree::cardFile(const std::u16string& path) const {
    return path + std::u16string(flavour_.extension);
}

std::u16string CardTree::belowRoot(const std::u16string& path) const {
    const std::u16string& root = model_.rootPath();
    std::size_t start = root.size();
    if (start > 0 && root.back() == u'\\') --start;  // keep the "\" that begins the text
    return start <= path.size() ? path.substr(start) : path;
}

bool CardTree::mayChange(const std::u16string& entry) {
    return guard_ == nullptr || guard_->beforeChange(entry, owner_);
}

std::uint32_t CardTree::moveEntry(const std::u16string& from, const std::u16string& to) {
    const std::uint32_t result = MoveEntryTo(ports_.files, from, to);
    if (result == kErrorSuccess && guard_ != nullptr) guard_->moved(from, to);
    return result;
}

void CardTree::forgetCutItemWhenCleared() {
    if (clipboard_.cutSource().empty()) model_.setCutItem(nullptr);
}

}  // namespace tarnwick
