// The library tree on screen: a tree-view control that shows the CardTree's
// model (the shell's small icons, the cut item dimmed), edits labels in place,
// drags items onto folders and opens the context menus. Every rule is the
// CardTree's; this class only turns the control's messages into its calls.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "cardtree/card_tree.h"

namespace tarnwick {

class CardTreeView {
public:
    explicit CardTreeView(CardTree& tree);
    ~CardTreeView();
    CardTreeView(const CardTreeView&) = delete;
    CardTreeView& operator=(const CardTreeView&) = delete;

    // Creates the control in `parent`; commands and message boxes go to `editor`
    // (the editor's main window). Builds the tree from the root.
    HWND create(HWND editor, HWND parent, int controlId);
    HWND window() const { return tree_; }

    // The reload request: rebuilds from the disk, focuses the tree and selects the path (the
    // editor's current path when it is empty). A request that arrives while an
    // operation is under way (the tray answers its notice at once) waits for
    // the operation to end, so that no item vanishes under it.
    void reload(std::u16string_view path, std::u16string_view currentPath);
    // Selects the item of a path, expanding the folders on the way.
    void selectPath(std::u16string_view path);
    // The same before the window shows, so that the tree is first drawn open
    // at the item (drawn at its root, it would look up every folder in view for
    // its button, and select the first item when it takes the focus). The
    // owner leaves this selection alone (preselecting()) and takes it up once
    // the window shows. False when no item was selected.
    bool preselectPath(std::u16string_view path);
    bool preselecting() const { return preselecting_; }
    // The selected item (the root when none is).
    TreeSelection selection() const;
    // While an item is being dragged, selection changes are not the user's.
    bool dragging() const { return dragged_ != nullptr; }

    // Runs one of the tree's operations as the editor carries it out (its
    // pending edits saved first): a reload request that arrives meanwhile
    // waits for the operation to end, and the cut item is shown after.
    void runOperation(const std::function<void()>& operation);

    // A menu of the control's own in place of the library's (a folder
    // chooser's); a menu without entries is not shown. Set before create().
    void setContextMenu(std::function<TreeContextMenu(ItemKind)> menuFor) { menuFor_ = std::move(menuFor); }

    // The editor window passes these on. True when the message was the tree's.
    bool onCommand(unsigned id);
    bool onNotify(const NMHDR& header, LRESULT& result);

private:
    LRESULT onCustomDraw(NMTVCUSTOMDRAW& draw) const;
    std::optional<LRESULT> onTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);

    template <typename Operation>
    void whileBusy(Operation operation);
    void onDeferredReload();
    void clearItems();
    void rebuild();
    HTREEITEM insert(const TreeItem& item, HTREEITEM parent);
    void insertChildren(HTREEITEM handle);
    HTREEITEM handleOf(const TreeItem* item) const;
    TreeItem* itemOf(HTREEITEM handle) const;
    void showCutItem();

    void onGetDisplayInfo(NMTVDISPINFOW& info);
    std::pair<int, int> iconsOf(const TreeItem& item);
    void onItemExpanding(const NMTREEVIEWW& info);
    LRESULT onEndLabelEdit(const NMTVDISPINFOW& info);
    void onBeginDrag(const NMTREEVIEWW& info);
    void onDragMove(POINT point);
    void showDropTarget(HTREEITEM target);
    void onDrop(POINT point);
    void endDrag();
    HTREEITEM dropTargetAt(POINT point) const;
    void onRightButtonDown(POINT point);
    void showContextMenu(const TreeItem& item, POINT screenPoint);

    CardTree& cardTree_;
    HWND editor_ = nullptr;
    HWND tree_ = nullptr;
    HFONT font_ = nullptr;
    std::unordered_map<const TreeItem*, HTREEITEM> handles_;
    HTREEITEM cutHandle_ = nullptr;
    HTREEITEM dragged_ = nullptr;
    HIMAGELIST dragImage_ = nullptr;
    int busy_ = 0;
    bool preselecting_ = false;
    bool endingLabelEdit_ = false;
    std::optional<std::pair<std::u16string, std::u16string>> pendingReload_;
    std::function<TreeContextMenu(ItemKind)> menuFor_;
    std::optional<int> cardIcon_;
    std::optional<std::pair<int, int>> folderIcons_;
};

}  // namespace tarnwick
