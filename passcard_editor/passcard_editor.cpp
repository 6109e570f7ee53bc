#include "passcard_editor/passcard_editor.h"

#include "editor_common/editor_traits.h"
#include "foundation/secret_text.h"
#include "passcard_editor/passcard_commands.h"

namespace tarnwick {

using namespace passcard_command;

PasscardEditor::PasscardEditor(PasscardEditorSession& session, CardTree& tree, EditorLaunches& launches,
                               PasscardWindow& window)
    : session_(session),
      tree_(tree),
      launches_(launches),
      window_(window) {
    // The tree asks the session before it moves, renames or deletes the card on show.
    tree_.setGuard(&session_);
}

EditorViewState PasscardEditor::viewState() const {
    EditorViewState state = session_.viewState();
    state.toolbarShown = toolbarShown_;
    state.statusBarShown = statusBarShown_;
    return state;
}

std::vector<CommandState> PasscardEditor::commandStates() const { return PasscardCommands().statesOf(viewState()); }

void PasscardEditor::pageLoaded(PasscardFormView& view) {
    session_.pageLoaded(view);
    window_.showAddress(session_.address());
}

void PasscardEditor::selectionChanged(const TreeSelection& item) {
    carryOut(session_.selectionChanged(item, window_.handle()));
}

void PasscardEditor::carryOut(const SelectionOutcome& outcome) {
    window_.showAddress(session_.address());
    // A card not opened, or edits not saved: the tree shows the card on show again.
    if (outcome.kind == SelectionOutcome::Kind::BackToShown) window_.selectInTree(outcome.path);
    // The damaged card was asked about (and perhaps deleted): the tree shows
    // the library as it is now, with the card's folder selected.
    if (outcome.kind == SelectionOutcome::Kind::Reload) window_.reloadTree(outcome.path);
}

bool PasscardEditor::queryEndSession() {
    if (session_.closeWithoutAsking()) return true;
    window_.postReport();
    return false;
}

std::vector<CommandState> PasscardEditor::idle(std::u16string_view addressBoxText) {
    session_.idle(addressBoxText);
    return commandStates();
}

bool PasscardEditor::runCommand(unsigned id, const TreeSelection& selected) {
    // An accelerator reaches the window whatever the menu shows. The tree's
    // card operations follow the item they act on, which may be a card that
    // did not open (another user's): it can still be deleted or renamed.
    EditorViewState state = viewState();
    const TreeCommandIds& tree = tree_.flavour().commands;
    if (id == tree.deleteCard || id == tree.renameCard) state.cardSelected = selected.kind == ItemKind::Card;
    if (!PasscardCommands().stateOf(id, state).enabled) return false;
    if (runEditorCommand(id) || runViewCommand(id)) return true;
    if (id == tree_.flavour().commands.toggleProtection) {
        carryOut(session_.toggleProtection(window_.handle()));
        return true;
    }
    if (PasscardCommands().find(id) == nullptr) return false;
    // A tree operation that moves, renames or deletes the card on show asks
    // the session first (the tree's guard), which saves its edits.
    // The window may have been created after the editor: its handle is asked now.
    tree_.setOwner(window_.handle());
    return tree_.runCommand(id, selected);
}

bool PasscardEditor::runEditorCommand(unsigned id) {
    const WindowRef owner = window_.handle();
    switch (id) {
        case common_command::kSave:
            session_.saveCommand(owner);
            return true;
        case kSaveAndClose:
            saveAndClose();
            return true;
        case common_command::kExit:
            exit();
            return true;
        case kReset:
            session_.reset(owner);
            window_.showAddress(session_.address());
            return true;
        case kDefault:
            carryOut(session_.toggleDefault(owner));
            return true;
        case kCopy: {
            std::u16string text = session_.clipboardText();
            const WipeOnExit wipe(text);
            if (!text.empty()) window_.putOnClipboard(text);
            return true;
        }
        case kAddField:
            session_.addField(owner);
            return true;
        case kRenameField:
            session_.renameField(owner);
            return true;
        case kDeleteField:
            session_.deleteField(owner);
            return true;
        case kGeneratePassword:
            session_.generatePassword(owner);
            return true;
        case kIdentityEditor:
            launches_.startOtherEditor(owner);
            return true;
        case common_command::kAbout:
            window_.showAbout(AboutBox(PasscardEditorTraits()));
            return true;
        default:
            return launches_.openVendorPage(id, owner);
    }
}

bool PasscardEditor::runViewCommand(unsigned id) {
    switch (id) {
        case kPasswordsAsStars:
            session_.toggleStars();
            return true;
        case kDetails:
            session_.toggleDetails();
            return true;
        case kAlwaysOnTop:
            window_.setTopmost(session_.toggleAlwaysOnTop());
            return true;
        case common_command::kToolbar:
            toolbarShown_ = !toolbarShown_;
            window_.showBars(toolbarShown_, statusBarShown_);
            return true;
        case common_command::kStatusBar:
            statusBarShown_ = !statusBarShown_;
            window_.showBars(toolbarShown_, statusBarShown_);
            return true;
        default:
            return false;
    }
}

void PasscardEditor::saveAndClose() {
    // A save that failed has been reported; the window stays with the edits.
    if (session_.saveAndClose(window_.handle())) window_.destroy();
}

void PasscardEditor::exit() {
    if (session_.mayClose(window_.handle())) window_.destroy();
}

bool PasscardEditor::closeRequested() {
    if (!session_.mayClose(window_.handle())) return false;
    window_.destroy();
    return true;
}

KeyWatchVerdict PasscardEditor::watchMessage(std::uint32_t message, std::uintptr_t virtualKey, bool ctrlDown,
                                             MessageTarget target) {
    if (!session_.cardOnShow() || target == MessageTarget::LibraryTree) return {false, false};
    const KeyWatchVerdict verdict = WatchKey(message, virtualKey, ctrlDown);
    if (verdict.marksChanged) session_.markModified();
    return verdict;
}

void PasscardEditor::onUserEdit(htmlform::Element&) { session_.markModified(); }

void PasscardEditor::reloadAndSelect(const std::u16string& path) { window_.reloadTree(path); }

// Copy-data 1: the card is saved without asking before the answer goes back;
// one that cannot be keeps the window open, and the failure is shown after.
void PasscardEditor::closeWithoutAsking() {
    if (session_.closeWithoutAsking()) {
        window_.postClose();
    } else {
        window_.postReport();
    }
}

// Copy-data 2, the tray program's lock: the password goes, the card and its edits stay.
void PasscardEditor::forgetPrimaryPassword() { session_.forgetPrimaryPassword(); }

}  // namespace tarnwick
