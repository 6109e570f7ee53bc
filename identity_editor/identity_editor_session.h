// The Identity Editor's card session, under its main window: which card is
// shown (current path, card open, page ready, modified), what a selection in
// the library tree does, saving, Reset, the form commands and closing. The
// window layer forwards its messages here and carries out what comes back.
#pragma once

#include <string>

#include "cardtree/tree_item.h"
#include "editor_common/command_table.h"
#include "editor_common/selection_outcome.h"
#include "foundation/message_catalogue.h"
#include "identity_editor/identity_form_view.h"
#include "cards/identity_record.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

class IdentityEditorSession {
public:
    IdentityEditorSession(std::u16string rootPath, IdentityRecord& record, Prompts& prompts,
                          FileSystem& files = NativeFileSystem(),
                          const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    const std::u16string& currentPath() const { return currentPath_; }
    bool cardOpen() const { return cardOpen_; }
    bool pageReady() const { return pageReady_; }
    bool modified() const { return modified_; }
    // The form is enabled while a card is open.
    bool formEnabled() const { return pageReady_ && cardOpen_; }
    // What the menus and toolbar show (the always-on-top and bar flags are the window's).
    EditorViewState viewState() const;

    // The page has loaded: the selection made meanwhile is shown.
    void pageLoaded(IdentityFormView& view);
    // The page reported an edit (ignored before the page is ready).
    void markModified();
    void tabActivated(IdentityTab tab);

    SelectionOutcome selectionChanged(const TreeSelection& item, WindowRef owner);

    // The card read back from the form and written with its own protection.
    // True when written or when no card is open; a failure is reported
    // (owner `owner`) and false returned, the modified flag left set.
    bool save(WindowRef owner);
    // Save: writes when modified; clears the flag only when written.
    bool saveCommand(WindowRef owner);
    // Save && Close: true when the window may be destroyed.
    bool saveAndClose(WindowRef owner) { return saveCommand(owner); }
    // Exit and the close request: the save question when modified.
    bool mayClose(WindowRef owner);
    // Copy-data code 1: the changes are dropped, the window closes without asking.
    void dropChanges() { modified_ = false; }
    // Reset: the card read again from its file and shown on the Summary tab
    // (the window layer brings that tab forward).
    // The load's result (kCardLoaded, kCardNotLoaded or kCardDamaged).
    int reset();

    // Protected: the selected card's file re-sealed with the other key (the
    // record and the modified flag untouched). Another user's card gets the
    // owner error; a damaged one the damaged-card question (Damaged: rebuild
    // the tree and select the folder); a failed write is reported.
    SelectionOutcome toggleProtection(WindowRef owner);

    void addCustomField();
    void deleteCustomField(WindowRef owner);
    // Copy: the card as the record holds it.
    std::u16string clipboardText() const;

private:
    void show(const TreeSelection& item);
    std::u16string cardFile(const std::u16string& itemPath) const;
    bool readProtection(const std::u16string& file);
    SelectionOutcome damaged(const TreeSelection& item, WindowRef owner);

    std::u16string rootPath_;
    IdentityRecord& record_;
    Prompts& prompts_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    IdentityFormView* view_ = nullptr;

    std::u16string currentPath_;
    TreeSelection selected_;
    bool cardOpen_ = false;
    bool pageReady_ = false;
    bool modified_ = false;
    bool cardProtected_ = false;
    bool customTab_ = false;
    // The selection waiting for the page: a card is shown only when it loaded.
    bool pending_ = false;
};

}  // namespace tarnwick
