// The items of the library tree as the file system holds them: the root, its
// folders (read when expanded) and the card files, in the order the system lists
// them, folders first. The tree-view control shows this model.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cardtree/tree_item.h"
#include "platform/file_system.h"

namespace tarnwick {

class CardTreeModel {
public:
    CardTreeModel(FileSystem& files, std::u16string rootPath, std::u16string_view extension);

    // Cards shown (the editors' trees) or folders only (a folder chooser).
    // Takes effect at the next setRoot().
    void setShowCards(bool show) { showCards_ = show; }

    // Deletes every item, makes the root item and reads its children.
    void setRoot();
    TreeItem* root() const { return root_.get(); }
    const std::u16string& rootPath() const { return rootPath_; }

    // Reads the folder's children the first time it is expanded.
    void readChildren(TreeItem& folder);

    // The expand button: the folder holds a subfolder or a card. A folder's
    // entries are listed only when this is first asked (the view asks for the
    // items it draws), so that a large library costs nothing for the folders
    // nobody looks at.
    bool hasButton(TreeItem& item);

    // The item of a path (a card's with or without the extension), reading the
    // folders on the way; when the path is not in the tree, the deepest item on
    // its way (the root at least). Null before setRoot().
    TreeItem* itemAt(std::u16string_view path);

    // The text of an item renamed in place; its path follows.
    void setText(TreeItem& item, std::u16string text);

    // The item last cut (drawn dimmed), or none; forgotten when the tree is rebuilt.
    TreeItem* cutItem() const { return cutItem_; }
    void setCutItem(TreeItem* item) { cutItem_ = item; }

private:
    bool folderHasButton(const std::u16string& folderPath);
    TreeItem* childNamed(TreeItem& folder, std::u16string_view name, bool card);

    FileSystem& files_;
    std::u16string rootPath_;
    std::u16string extension_;
    std::unique_ptr<TreeItem> root_;
    TreeItem* cutItem_ = nullptr;
    bool showCards_ = true;
};

}  // namespace tarnwick
