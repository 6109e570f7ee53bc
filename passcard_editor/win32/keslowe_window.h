// The Passcard Editor's main window: the library tree on the left, the form
// pane above the address box on the right, the toolbar in its rebar and the
// status bar. Every message goes to the PasscardEditor; this class only lays
// the children out and carries out what the editor asks through PasscardWindow.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "cardtree/win32/card_tree_view.h"
#include "editor_common/frame_layout.h"
#include "editor_common/win32/pane_focus.h"
#include "editor_common/win32/secret_clipboard.h"
#include "editor_common/win32/splitter_drag.h"
#include "htmlform/win32/form_view.h"
#include "passcard_editor/passcard_editor.h"
#include "passcard_editor/win32/keslowe_bars.h"
#include "passcard_editor/win32/keslowe_health_window.h"
#include "platform/win32/window_base.h"
#include "search/win32/tree_find.h"

namespace tarnwick {

// What the window is built on: the editor's objects, made once by wWinMain.
struct KesloweParts {
    PasscardEditorSession& session;
    CardTree& tree;
    EditorLaunches& launches;
    // The user's options (the clipboard's delay).
    OptionStore options;
    std::uint32_t majorVersion;
};

class KesloweWindow : public WindowBase, private PasscardWindow {
public:
    explicit KesloweWindow(KesloweParts parts);
    ~KesloweWindow() override;

    // Creates the window at the top-left quarter of the screen, topmost when
    // the option says so, and shows it; the tree then selects `firstPath`.
    bool create(const std::u16string& firstPath, int showCommand);
    // The message loop with the keyboard watch and the idle moment; its result
    // is the program's exit code.
    int run();

private:
    // Window messages.
    bool onCreate() override;
    void onDestroy() override;
    bool onClose() override;
    void onSize(int width, int height) override;
    void onTimer(UINT_PTR id) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    // The tree's selection, taken up unless a drag or the first selection made it.
    void onSelectionChanged();
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The loop's two hooks.
    void watch(const MSG& message);
    void onIdle();

    void createChildren();
    void layOut();
    void applyStates(const std::vector<CommandState>& states);
    void showPasswordHealth();
    std::u16string addressBoxText() const;
    void editPasswordPolicy();
    bool showFieldMenu(HWND control, POINT at);

    // PasscardWindow.
    WindowRef handle() const override;
    void showAddress(const std::u16string& address) override;
    void putOnClipboard(const std::u16string& text) override;
    void setTopmost(bool topmost) override;
    void showBars(bool toolbar, bool statusBar) override;
    void showAbout(const AboutBoxTexts& about) override;
    void selectInTree(const std::u16string& path) override;
    void reloadTree(const std::u16string& path) override;
    void destroy() override;
    void postClose() override;
    void postReport() override;

    KesloweParts parts_;
    PasscardEditor editor_;
    CardTreeView treeView_;
    TreeFind find_;  // the find box over the tree
    FormView formView_;
    std::optional<PasscardFormView> formBinding_;
    KesloweBars bars_;
    HWND addressBox_ = nullptr;
    HFONT editorFont_ = nullptr;
    HACCEL accelerators_ = nullptr;
    SplitterLayout splitter_;
    bool splitterStarted_ = false;
    SplitterDrag splitterDrag_;
    PaneFocus panes_;  // the tree, the form, the address box
    std::u16string reselectPath_;
    SecretClipboard secretClipboard_;
    std::unique_ptr<KesloweHealthWindow> health_;  // made when first opened
};

}  // namespace tarnwick
