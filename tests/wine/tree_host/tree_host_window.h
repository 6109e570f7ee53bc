// A window of an editor's class that holds nothing but the library tree, so
// that the tree-view control can be driven end to end before the editors
// exist: it passes the tree's notifications, commands and reload requests on.
#pragma once

#include <windows.h>

#include <string>

#include "cardtree/card_tree.h"
#include "cardtree/win32/card_tree_view.h"
#include "platform/win32/window_base.h"

namespace tarnwick {

class TreeHostWindow : public WindowBase {
public:
    TreeHostWindow(const TreeFlavour& flavour, std::u16string rootPath, CardTreePorts ports,
                   const MessageCatalogue& catalogue);
    ~TreeHostWindow() override;

    // Creates the window (class "Mirelune" or "Keslowe") and shows it without
    // activating. Tests pass a pop-up style, which the X11 driver unmaps at once.
    bool create(DWORD style = WS_OVERLAPPEDWINDOW);
    HWND window() const { return handle(); }
    CardTreeView& view() { return view_; }
    CardTree& tree() { return tree_; }
    EditorClipboard& clipboard() { return clipboard_; }

private:
    bool onCreate() override;
    void onSize(int width, int height) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;

    const TreeFlavour& flavour_;
    EditorClipboard clipboard_;
    CardTree tree_;
    CardTreeView view_;
};

}  // namespace tarnwick
