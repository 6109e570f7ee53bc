// The New Identity dialog on screen (resource 209): the name edit, the
// password-protection check box with its six hot keys, "Create In..." with the
// folder chooser it shows below, and OK. Every rule is NewIdentityDialog's;
// this class turns the controls' events into its calls.
#pragma once

#include <windows.h>

#include <string>

#include "cardtree/card_tree.h"
#include "cardtree/win32/card_tree_view.h"
#include "identity_editor/new_identity_dialog.h"
#include "platform/win32/dialog_base.h"
#include "platform/win32/dialog_banner.h"

namespace tarnwick {

class NewIdentityWindow : public DialogBase {
public:
    // `chooser`: a folders-only tree of the library, shown by "Create In...".
    NewIdentityWindow(NewIdentityDialog& rules, CardTree& chooser);
    ~NewIdentityWindow() override = default;

    // True when OK made a card (its path is the rules' createdPath()).
    bool show(HWND owner);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void onDestroy() override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void accept();
    void showProtect();
    void toggleChooser();
    void placeChooser();
    void newFolder();
    void chooserCommand(unsigned id);
    bool endLabelEdit(bool cancel);
    std::u16string typedName() const;

    NewIdentityDialog& rules_;
    CardTree& chooser_;
    CardTreeView chooserView_;
    bool chooserShown_ = false;
    DialogBanner banner_{u"Create New Identity"};
};

}  // namespace tarnwick
