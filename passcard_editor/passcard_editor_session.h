// The Passcard Editor's card session, under its main window: the passcard
// shown (current path, changed, page ready, passcard selected), the three view
// flags, what a selection in the library tree does, saving, Reset, the
// idle-time address check, Protected and Default, the field commands with
// their dialogs, and closing. The window layer forwards here and shows
// address() in its address box after a selection or Reset.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cardtree/tree_item.h"
#include "editor_common/always_on_top.h"
#include "editor_common/command_table.h"
#include "editor_common/selection_outcome.h"
#include "foundation/message_box.h"
#include "foundation/message_catalogue.h"
#include "foundation/option_store.h"
#include "foundation/window_signals.h"
#include "passcard_editor/passcard_form_view.h"
#include "cards/passcard_record.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

// The address box holds at most this many characters.
inline constexpr std::size_t kAddressBoxChars = 2083;

struct PasscardSessionPorts {
    Prompts& prompts;
    WindowSignals& signals;  // Default's change notice
    FileSystem& files;
    const MessageCatalogue& catalogue;
};

class PasscardEditorSession {
public:
    // Reads the three view flags from the options once.
    PasscardEditorSession(std::u16string rootPath, PasscardRecord& record, OptionStore options,
                          PasscardSessionPorts ports);

    const std::u16string& currentPath() const { return currentPath_; }
    bool changed() const { return changed_; }
    bool pageReady() const { return pageReady_; }
    bool passcardSelected() const { return selected_.kind == ItemKind::Card; }
    // A passcard is selected and its last load opened it.
    bool holdsCardOnShow() const { return passcardSelected() && record_.holdsLoadedCard(); }
    bool stars() const { return stars_; }
    bool details() const { return details_; }
    bool alwaysOnTop() const { return onTop_.on(); }
    // What the address box shows after a selection or Reset.
    const std::u16string& address() const { return address_; }
    EditorViewState viewState() const;

    void pageLoaded(PasscardFormView& view);
    // An edit of the form or a key the keyboard watch counts.
    void markChanged();
    // The idle moment: the address box's text becomes the card's address; it
    // marks the card changed when it differs from the address last loaded.
    // Nothing before the page is ready: the box does not show the card yet.
    void idle(std::u16string_view addressBoxText);

    SelectionOutcome selectionChanged(const TreeSelection& item, WindowRef owner);

    // The form's names and values written over the current card. True when
    // written or when no passcard is selected; a failure is reported and the
    // changed flag stays set.
    bool save(WindowRef owner);
    bool saveCommand(WindowRef owner);
    bool saveAndClose(WindowRef owner) { return saveCommand(owner); }
    bool mayClose(WindowRef owner);
    void dropChanges() { changed_ = false; }
    // The fields and address last loaded, back on the form.
    void reset();

    void toggleProtection(WindowRef owner);
    // A failed rewrite is reported in a box owned by `owner`.
    void toggleDefault(WindowRef owner = kNoWindow);
    void addField(WindowRef owner);
    void renameField(WindowRef owner);
    void deleteField(WindowRef owner);
    void toggleStars();
    void toggleDetails();
    // The new always-on-top flag, for the window to apply.
    bool toggleAlwaysOnTop();
    // Copy: the form read into the card, then its text (empty without fields).
    std::u16string clipboardText();

private:
    // The table built again from the record; the second first takes in what was typed.
    void rebuild();
    void rebuildKeepingEdits();
    void pullPage();
    void showChecks();
    std::u16string cardName() const;
    // Runs a rewrite of the card file; a write that failed is reported (and
    // gives Damaged: nothing changed).
    CardWriteResult rewriteCard(WindowRef owner, const std::function<CardWriteResult()>& rewrite);
    SelectionOutcome damaged(const TreeSelection& item, WindowRef owner);
    void writeFlag(std::u16string_view key, bool on);
    std::optional<std::u16string> askFieldName(std::u16string_view titleKey, std::u16string text,
                                               const MessageBoxKind& refusal);

    std::u16string rootPath_;
    PasscardRecord& record_;
    OptionStore options_;
    PasscardSessionPorts ports_;
    PasscardFormView* view_ = nullptr;

    std::u16string currentPath_;
    std::u16string address_;
    TreeSelection selected_;
    bool changed_ = false;
    bool pageReady_ = false;
    bool stars_;
    bool details_;
    AlwaysOnTopSetting onTop_;
    bool cardProtected_ = false;
    bool cardDefault_ = false;
};

}  // namespace tarnwick
