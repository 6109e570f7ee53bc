// The Passcard Editor behind its main window: every command of the menu, the
// toolbar, the accelerators and the tree's context menus, their enabling and
// check marks, the selection in the library tree, the idle moment, the form
// page's edit reports and the keyboard watch, closing, and the copy-data
// requests. The Win32 window forwards its messages here and carries out what
// it is asked through PasscardWindow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cardtree/card_tree.h"
#include "editor_common/about_box.h"
#include "editor_common/command_table.h"
#include "editor_common/editor_copy_data.h"
#include "editor_common/editor_launches.h"
#include "htmlform/document_events.h"
#include "passcard_editor/passcard_editor_session.h"
#include "passcard_editor/passcard_key_watch.h"

namespace tarnwick {

// What the editor asks of its main window.
class PasscardWindow {
public:
    virtual ~PasscardWindow() = default;
    // The main window: the owner of the editor's boxes.
    virtual WindowRef handle() const = 0;
    // The address box's text (the box holds at most kAddressBoxChars).
    virtual void showAddress(const std::u16string& address) = 0;
    // Puts the text on the clipboard as a secret (see SecretClipboard).
    virtual void putOnClipboard(const std::u16string& text) = 0;
    // Topmost or not, without moving or sizing.
    virtual void setTopmost(bool topmost) = 0;
    // Shows or hides the rebar and the status bar and lays the window out again.
    virtual void showBars(bool toolbar, bool statusBar) = 0;
    virtual void showAbout(const AboutBoxTexts& about) = 0;
    // Selects the item of `path` (a card's without its extension) in the
    // tree once the tree's present notice has ended; the selection comes back
    // through selectionChanged.
    virtual void selectInTree(const std::u16string& path) = 0;
    // Rebuilds the library tree, focuses it and selects `path` (the current
    // path when empty); the selection comes back through selectionChanged.
    virtual void reloadTree(const std::u16string& path) = 0;
    // Destroys the window, which ends the message loop.
    virtual void destroy() = 0;
    // Posts the window a close request (WM_CLOSE).
    virtual void postClose() = 0;
    // Posts the window a request to show the session's pending report, once
    // the program that sent the present message has its answer.
    virtual void postReport() = 0;
};

// Where a keyboard or mouse message of the editor's thread is aimed.
enum class MessageTarget { Elsewhere, LibraryTree };

class PasscardEditor : public htmlform::DocumentHost, public EditorRequests {
public:
    PasscardEditor(PasscardEditorSession& session, CardTree& tree, EditorLaunches& launches, PasscardWindow& window);

    PasscardEditorSession& session() { return session_; }
    bool toolbarShown() const { return toolbarShown_; }
    bool statusBarShown() const { return statusBarShown_; }

    // The form page finished loading for the first time.
    void pageLoaded(PasscardFormView& view);
    // The tree's selection changed (not while an item is dragged). The card's
    // edits are saved first; when that fails (and was reported) the tree goes
    // back to the card and its edits stay on the form.
    void selectionChanged(const TreeSelection& item);
    // The session is ending (logoff, shutdown): the card saved without
    // asking. False, the failure shown afterwards, when it could not be.
    bool queryEndSession();
    // The queue is empty: the address box's text is compared with the address
    // last loaded. Returns the commands' states for the menu and the toolbar.
    std::vector<CommandState> idle(std::u16string_view addressBoxText);
    std::vector<CommandState> commandStates() const;
    EditorViewState viewState() const;

    // A WM_COMMAND from the menu, the toolbar, an accelerator or a context
    // menu, on the tree's selected item. False when the id is not the
    // editor's or the command is disabled in the present state.
    bool runCommand(unsigned id, const TreeSelection& selected);

    // WM_CLOSE: the save question when the card changed; true when the window
    // was destroyed.
    bool closeRequested();

    // The keyboard watch: whether the message marks the card changed and is
    // offered to the form page before it is dispatched. Only while a passcard
    // is selected, and never for the library tree or its label edit box.
    KeyWatchVerdict watchMessage(std::uint32_t message, std::uintptr_t virtualKey, bool ctrlDown, MessageTarget target);

    // The page's edit report (its onChange navigation, cancelled).
    void onUserEdit(htmlform::Element& source) override;

    // Copy-data 0, 1 and 2.
    void reloadAndSelect(const std::u16string& path) override;
    void closeWithoutAsking() override;
    void forgetPrimaryPassword() override;

private:
    bool runEditorCommand(unsigned id);
    bool runViewCommand(unsigned id);
    void carryOut(const SelectionOutcome& outcome);
    void saveAndClose();
    void exit();

    PasscardEditorSession& session_;
    CardTree& tree_;
    EditorLaunches& launches_;
    PasscardWindow& window_;
    bool toolbarShown_ = true;
    bool statusBarShown_ = true;
};

}  // namespace tarnwick
