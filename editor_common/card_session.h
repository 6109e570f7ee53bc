// The card on show in either editor, and every way it can change: a selection
// in the tree (or by a reload request, or the first card at start), its load
// and the load's outcomes, edits, Save, Save && Close, the close question,
// Reset, the protection toggle, the tree's operations on the card on show,
// the close request of another program and the end of the session. An editor
// derives its session from this class and supplies only its card kind: the
// record's load and write, the form, the clipboard text and its texts.
//
// The rule kept everywhere: what the user typed is written to the card it
// belongs to, or it stays on screen, marked modified, with a message saying
// why it was not written.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cardtree/card_tree.h"
#include "cardtree/tree_item.h"
#include "cards/card_file.h"
#include "cards/card_file_record.h"
#include "editor_common/command_table.h"
#include "editor_common/editor_traits.h"
#include "editor_common/selection_outcome.h"
#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

struct CardSessionPorts {
    Prompts& prompts;
    FileSystem& files;
    const MessageCatalogue& catalogue;
};

class CardSession : public LibraryChangeGuard {
public:
    // `record` is the editor's record of the card on show.
    CardSession(const EditorTraits& traits, std::u16string rootPath, CardFileRecord& record, CardSessionPorts ports);
    ~CardSession() override = default;

    // The card on show, or the folder selected.
    const std::u16string& currentPath() const { return currentPath_; }
    // A card was loaded and is (or, before the page is ready, will be) on the form.
    bool cardOnShow() const { return cardOnShow_; }
    bool pageReady() const { return pageReady_; }
    bool modified() const { return modified_; }
    // The form takes input while a card is on it.
    bool formEnabled() const { return pageReady_ && cardOnShow_; }
    bool cardProtected() const { return cardProtected_; }
    // What the menus and the toolbar show of the card (the window adds its own flags).
    virtual EditorViewState viewState() const;

    // The form page has loaded: the card selected meanwhile is shown.
    void pageLoaded();
    // The user edited the form (ignored while no card is on show).
    void markModified();

    // The tree's selection changed. Pending edits are saved first, without
    // asking; when that fails, or the new card cannot be opened, the tree
    // goes back to what the form shows.
    SelectionOutcome selectionChanged(const TreeSelection& item, WindowRef owner);

    // Save: writes when modified. False when a save failed (it was reported).
    bool saveCommand(WindowRef owner);
    // Save && Close: true when the window may be destroyed.
    bool saveAndClose(WindowRef owner) { return saveCommand(owner); }
    // Exit and the close request: the save question when modified; true when
    // the window may close.
    bool mayClose(WindowRef owner);
    // Another program asks the editor to close (copy-data 1), or the session
    // is ending: the card is saved without asking. True when the window may
    // close; else the failure waits in pendingReport() for the window to show
    // once the sender has its answer.
    bool closeWithoutAsking();
    // Shows the failure a closeWithoutAsking() kept, once.
    void showPendingReport(WindowRef owner);
    bool hasPendingReport() const { return pendingReport_.has_value(); }

    // The tray program's lock: the primary password held in memory is wiped.
    // The card on show and its edits stay; the next save of a protected card,
    // or the next protected card, asks for the password again, and a
    // cancelled prompt leaves the edits on the form, marked modified.
    void forgetPrimaryPassword();

    // Reset: the card as it was last loaded or saved, back on the form.
    void reset(WindowRef owner);
    // Protected: the card's file re-sealed with the other key (the record and
    // the modified flag untouched). Reload: the card was damaged.
    SelectionOutcome toggleProtection(WindowRef owner);
    // Copy: what the form shows, as the kind's clipboard text; empty for none.
    std::u16string clipboardText();

    // LibraryChangeGuard: the tree is about to move, rename or delete an
    // entry, or has done so. The card on show is saved first when it lies at
    // or below the entry, and follows it to its new path.
    bool beforeChange(const std::u16string& entryPath, WindowRef owner) override;
    void moved(const std::u16string& from, const std::u16string& to) override;
    void removed(const std::u16string& entryPath) override;

protected:
    // The card kind, supplied by each editor beside its record.
    // The record onto the form (after a load or Reset).
    virtual void showCard() = 0;
    // The form emptied: a folder is selected, or the card went away.
    virtual void clearForm() = 0;
    // What the form shows, into the record.
    virtual void readForm() = 0;
    // Reset: the record back to the card as last loaded or saved (the
    // result of a load).
    virtual int revertCard(const std::u16string& file) = 0;
    // Copy's text of the record.
    virtual std::u16string cardText() = 0;
    // The card on show changed (loaded, saved, gone): a kind with marks of its
    // own reads them here.
    virtual void cardChanged() {}
    // The card on show was moved or renamed to `file`.
    virtual void cardMoved(const std::u16string& file) { (void)file; }

    // For the commands on the card's file (Protected, Default). Reads what a
    // command needs of the file: false, the user told why, when it cannot be
    // read or is damaged (`read` false; the damaged-card question is then
    // asked and `*damagedOutcome` says to reload the tree).
    bool inspectCard(WindowRef owner, const std::function<bool()>& read, SelectionOutcome* damagedOutcome);
    // Runs the rewrite and tells the user why it failed (write failure,
    // refused text, damaged file as above); NotLoaded for a failure reported here.
    CardWriteResult rewriteCard(WindowRef owner, const std::function<CardWriteResult()>& rewrite,
                                SelectionOutcome* damagedOutcome = nullptr);
    // Reports that the card on show cannot be read, with the system's reason.
    void reportUnreadable(WindowRef owner, const std::u16string& file, std::uint32_t error);

    Prompts& prompts() { return ports_.prompts; }
    const MessageCatalogue& catalogue() const { return ports_.catalogue; }
    const std::u16string& rootPath() const { return rootPath_; }
    const std::u16string& shownFile() const { return shownFile_; }
    const EditorTraits& traits() const { return traits_; }
    // The card's name in messages: "\Shop\Store".
    std::u16string cardName(const std::u16string& file) const;

private:
    std::u16string cardFile(const std::u16string& itemPath) const;
    std::u16string itemPathOf(const std::u16string& file) const;
    // Writes the edits; the reason when they could not be written.
    std::optional<std::u16string> trySave();
    bool save(WindowRef owner);
    SelectionOutcome backToShown(const TreeSelection& refused);
    SelectionOutcome damaged(const std::u16string& file, WindowRef owner);
    void forgetCard(const std::u16string& folder);

    const EditorTraits& traits_;
    std::u16string rootPath_;
    CardFileRecord& record_;
    CardSessionPorts ports_;

    std::u16string currentPath_;
    std::u16string shownFile_;  // the card on show, with its extension
    TreeSelection selected_;
    bool cardOnShow_ = false;
    bool pageReady_ = false;
    bool pending_ = false;  // loaded before the page was ready
    bool modified_ = false;
    bool cardProtected_ = false;
    // The tree going back to the card on show: that selection is no user's.
    std::optional<std::u16string> returningTo_;
    std::optional<std::u16string> pendingReport_;
};

}  // namespace tarnwick
