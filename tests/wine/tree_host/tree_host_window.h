// A window of an editor's class that holds nothing but the library tree, so
// that the tree-view control can be driven end to end before the editors
// exist: it passes the tree's notifications, commands and reload requests on.
#pragma once

#include <windows.h>

#include <string>

#include "cardtree/card_tree.h"
#include "cardtree/win32/card_tree_view.h"

namespace tarnwick {

class TreeHostWindow {
public:
    TreeHostWindow(const TreeFlavour& flavour, std::u16string rootPath, CardTreePorts ports,
                   const MessageCatalogue& catalogue);
    ~TreeHostWindow();
    TreeHostWindow(const TreeHostWindow&) = delete;
    TreeHostWindow& operator=(const TreeHostWindow&) = delete;

    // Creates the window (class "Mirelune" or "Keslowe") and shows it without
    // activating. Tests pass a pop-up style, which the X11 driver unmaps at once.
    bool create(DWORD style = WS_OVERLAPPEDWINDOW);
    HWND window() const { return window_; }
    CardTreeView& view() { return view_; }
    CardTree& tree() { return tree_; }
    EditorClipboard& clipboard() { return clipboard_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCreate();
    void onSize(int width, int height);
    LRESULT onNotify(const NMHDR& header);
    LRESULT onCopyData(LPARAM lParam);

    const TreeFlavour& flavour_;
    EditorClipboard clipboard_;
    CardTree tree_;
    CardTreeView view_;
    HWND window_ = nullptr;
};

}  // namespace tarnwick
