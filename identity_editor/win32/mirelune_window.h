// The Identity Editor's main window: the library tree on the left, the tab
// view of the form's six pages on the right, and the status bar. Every rule
// is the session's or the tree's; this class turns the window's messages into
// their calls and shows what comes back.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "cardtree/card_tree.h"
#include "cardtree/win32/card_tree_view.h"
#include "editor_common/always_on_top.h"
#include "editor_common/editor_copy_data.h"
#include "editor_common/editor_launches.h"
#include "editor_common/editor_startup.h"
#include "editor_common/frame_layout.h"
#include "editor_common/win32/pane_focus.h"
#include "editor_common/win32/secret_clipboard.h"
#include "editor_common/win32/splitter_drag.h"
#include "foundation/user_profile.h"
#include "foundation/window_signals.h"
#include "htmlform/win32/form_view.h"
#include "identity_editor/identity_editor_session.h"
#include "identity_editor/identity_form_view.h"
#include "cards/identity_record.h"
#include "platform/win32/window_base.h"
#include "search/win32/tree_find.h"

namespace tarnwick {

// The real adapters the window works through, owned by wWinMain.
struct MirelunePorts {
    UserProfile& profile;
    Prompts& prompts;
    WindowSignals& signals;
    Launcher& launcher;
};

class MireluneWindow : public WindowBase, private EditorRequests, private htmlform::DocumentHost {
public:
    explicit MireluneWindow(MirelunePorts ports);
    ~MireluneWindow() override;

    // Creates the window centred at half the screen, selects `first` and shows it.
    bool create(const FirstSelection& first, int showCommand);
    // The accelerators go through this before the message is dispatched.
    bool translateAccelerator(MSG& message) const;

private:
    bool onCreate() override;
    void onDestroy() override;
    bool onClose() override;
    void onSize(int width, int height) override;
    void onTimer(UINT_PTR id) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // EditorRequests.
    void reloadAndSelect(const std::u16string& path) override;
    void closeWithoutAsking() override;
    void forgetPrimaryPassword() override;
    // DocumentHost: an edit in the page.
    void onUserEdit(htmlform::Element& source) override;

    bool createChildren();
    void createToolbar();
    void toggleBar(HWND bar);
    void onPageComplete();
    void onSelectionChanged();
    void carryOut(const SelectionOutcome& outcome);
    LRESULT onQueryEndSession();
    void showSummaryTab();
    void onTabChanged();
    void toggleProtection();
    void toggleAlwaysOnTop();
    void copyCard();
    void newIdentity();
    void reselectShown();
    void showAbout();
    void onMenuSelect(UINT id, UINT flags);
    bool onTooltip(NMTTDISPINFOW& info);
    void updateCommands();
    void layOut();
    WindowRef self() const;

    MirelunePorts ports_;
    IdentityRecord record_;
    IdentityEditorSession session_;
    EditorClipboard clipboard_;
    CardTree tree_;
    CardTreeView treeView_;
    TreeFind find_;  // the find box over the tree
    FormView form_;
    std::optional<IdentityFormView> identityView_;
    EditorLaunches launches_;
    AlwaysOnTopSetting alwaysOnTop_;
    SplitterLayout splitter_;
    SplitterDrag splitterDrag_;
    PaneFocus panes_;  // the tree, the tab view, the form
    HWND tabs_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::u16string firstPath_;
    // The tree item to select again after a card was refused or its edits not saved.
    std::u16string reselectPath_;
    std::wstring tooltip_;
    SecretClipboard secretClipboard_;
};

}  // namespace tarnwick
