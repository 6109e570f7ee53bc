// Find in an editor's library tree: a one-line box over the top of the tree
// pane that takes the text; Enter (and F3) selects the next card holding it,
// Shift+Enter (and Shift+F3) the one before, through the same selection a
// click makes, so the editor saves the card on show first. Escape closes it.
// No card found: a beep, never a box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "cardtree/card_tree.h"
#include "cardtree/win32/card_tree_view.h"
#include "editor_common/frame_layout.h"

namespace tarnwick {

class TreeFind {
public:
    TreeFind(CardTree& tree, CardTreeView& view) : tree_(tree), view_(view) {}
    TreeFind(const TreeFind&) = delete;
    TreeFind& operator=(const TreeFind&) = delete;

    // Creates the box, hidden, in the tree's parent, in the tree's font;
    // `relayout` lays the window out again when the box opens or closes.
    void create(HWND parent, int controlId, std::function<void()> relayout);
    // Ctrl+F: shows the box (or keeps it) with its text selected, focused.
    void open();
    // F3 and Shift+F3: the next or previous card holding the text; with no
    // text yet, the box opens instead.
    void findNext(bool forward);

    bool isOpen() const { return box_ != nullptr && IsWindowVisible(box_) != FALSE; }
    bool owns(HWND window) const { return window != nullptr && window == box_; }
    // While open, the box takes the top of the tree pane: it is placed there
    // and the pane left below it.
    void carve(Rect& treePane) const;

private:
    bool onKey(WPARAM key);
    void close();
    std::u16string text() const;

    CardTree& tree_;
    CardTreeView& view_;
    HWND box_ = nullptr;
    int height_ = 0;
    std::function<void()> relayout_;
};

}  // namespace tarnwick
