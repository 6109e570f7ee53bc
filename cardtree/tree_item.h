// One item of the library tree: the root (the user folder), a folder or a card.
// A card's text is its file name without the extension; an item's path is its
// text joined to its ancestors' with "\", from the root path.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

enum class ItemKind { Root, Folder, Card };

// An item as the operations take it: its kind and path (a card's without the extension).
struct TreeSelection {
    ItemKind kind = ItemKind::Root;
    std::u16string path;
    bool isFolder() const { return kind != ItemKind::Card; }
    bool operator==(const TreeSelection&) const = default;
};

class TreeItem {
public:
    TreeItem(ItemKind kind, std::u16string text, TreeItem* parent)
        : kind_(kind),
          text_(std::move(text)),
          parent_(parent) {}

    ItemKind kind() const { return kind_; }
    const std::u16string& text() const { return text_; }
    TreeItem* parent() const { return parent_; }
    const std::vector<std::unique_ptr<TreeItem>>& children() const { return children_; }
    // Whether the folder's entries were read into children().
    bool childrenRead() const { return childrenRead_; }

    // The root's path is the root path; any other item's is its parent's and its text.
    std::u16string path() const;
    TreeSelection selection() const { return {kind_, path()}; }

private:
    friend class CardTreeModel;

    ItemKind kind_;
    std::u16string text_;
    TreeItem* parent_;
    std::u16string rootPath_;  // the root item only
    std::vector<std::unique_ptr<TreeItem>> children_;
    bool childrenRead_ = false;
    // The expand button, found out when first asked (CardTreeModel::hasButton).
    enum class Button { Unknown, Shown, None } button_ = Button::Unknown;
};

}  // namespace tarnwick
