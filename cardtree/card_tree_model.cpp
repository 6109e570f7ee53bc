#include "cardtree/card_tree_model.h"

#include <vector>

#include "cardtree/tree_path.h"

namespace tarnwick {

namespace {

// The path the port lists: a drive root keeps its "\", others have none.
std::u16string listable(const std::u16string& folder) {
    if (folder.size() > 3 && folder.back() == u'\\') return folder.substr(0, folder.size() - 1);
    return folder;
}

bool isCard(const FolderEntry& entry, std::u16string_view extension) {
    return !entry.isFolder && !entry.isHidden && IsCardFileName(entry.name, extension);
}

}  // namespace

CardTreeModel::CardTreeModel(FileSystem& files, std::u16string rootPath, std::u16string_view extension)
    : files_(files),
      rootPath_(std::move(rootPath)),
      extension_(extension) {}

void CardTreeModel::setRoot() {
    cutItem_ = nullptr;
    std::u16string_view name = LastComponent(rootPath_);
    if (name.empty()) name = rootPath_;  // a drive root shows itself
    root_ = std::make_unique<TreeItem>(ItemKind::Root, std::u16string(name), nullptr);
    root_->rootPath_ = rootPath_;
    readChildren(*root_);
}

void CardTreeModel::readChildren(TreeItem& folder) {
    if (folder.kind() == ItemKind::Card || folder.childrenRead_) return;
    folder.childrenRead_ = true;
    const std::u16string folderPath = folder.path();
    std::vector<FolderEntry> entries;
    if (files_.listFolder(listable(folderPath), entries) != kErrorSuccess) return;
    // Two passes over one listing: the folders, then the cards, each in the system's order.
    for (const FolderEntry& entry : entries) {
        if (!entry.isFolder) continue;
        folder.children_.push_back(std::make_unique<TreeItem>(ItemKind::Folder, entry.name, &folder));
    }
    for (const FolderEntry& entry : entries) {
        if (!showCards_ || !isCard(entry, extension_)) continue;
        std::u16string text = entry.name.substr(0, entry.name.size() - extension_.size());
        folder.children_.push_back(std::make_unique<TreeItem>(ItemKind::Card, std::move(text), &folder));
    }
    folder.button_ = folder.children_.empty() ? TreeItem::Button::None : TreeItem::Button::Shown;
}

bool CardTreeModel::hasButton(TreeItem& item) {
    if (item.kind() == ItemKind::Card) return false;
    if (item.button_ == TreeItem::Button::Unknown)
        item.button_ = folderHasButton(item.path()) ? TreeItem::Button::Shown : TreeItem::Button::None;
    return item.button_ == TreeItem::Button::Shown;
}

bool CardTreeModel::folderHasButton(const std::u16string& folderPath) {
    const std::u16string folder = listable(folderPath);
    // Cards first, by their extension, then any subfolder.
    if (showCards_ &&
        files_.holdsEntry(folder, extension_, [&](const FolderEntry& entry) { return isCard(entry, extension_); }))
        return true;
    return files_.holdsEntry(folder, u"", [](const FolderEntry& entry) { return entry.isFolder; });
}

TreeItem* CardTreeModel::childNamed(TreeItem& folder, std::u16string_view name, bool card) {
    readChildren(folder);
    for (const auto& child : folder.children_) {
        if ((child->kind() == ItemKind::Card) == card && SamePath(child->text(), name)) return child.get();
    }
    return nullptr;
}

TreeItem* CardTreeModel::itemAt(std::u16string_view path) {
    if (!root_) return nullptr;
    TreeItem* item = root_.get();
    if (!IsSameOrInside(path, rootPath_) || SamePath(path, rootPath_)) return item;
    std::u16string_view rest = path.substr(rootPath_.size());
    while (!rest.empty() && rest.front() == u'\\') rest.remove_prefix(1);
    while (!rest.empty()) {
        const std::size_t slash = rest.find(u'\\');
        const std::u16string_view name = rest.substr(0, slash);
        const bool last = slash == std::u16string_view::npos;
        TreeItem* next = childNamed(*item, name, false);
        if (next == nullptr && last) {
            // A card: named with its extension or without it.
            const bool withExtension = IsCardFileName(name, extension_);
            next = childNamed(*item, withExtension ? name.substr(0, name.size() - extension_.size()) : name, true);
        }
        if (next == nullptr) break;
        item = next;
        rest = last ? std::u16string_view() : rest.substr(slash + 1);
    }
    return item;
}

void CardTreeModel::setText(TreeItem& item, std::u16string text) { item.text_ = std::move(text); }

}  // namespace tarnwick
