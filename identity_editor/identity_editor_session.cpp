#include "identity_editor/identity_editor_session.h"

#include "cardtree/tree_path.h"
#include "editor_common/card_name.h"
#include "editor_common/damaged_card.h"
#include "editor_common/editor_traits.h"
#include "editor_common/save_failure.h"
#include "editor_common/save_question.h"
#include "cards/card_file.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/text_file.h"
#include "identity_editor/identity_clipboard.h"
#include "cards/identity_tags.h"

namespace tarnwick {

IdentityEditorSession::IdentityEditorSession(std::u16string rootPath, IdentityRecord& record, Prompts& prompts,
                                             FileSystem& files, const MessageCatalogue& catalogue)
    : rootPath_(std::move(rootPath)),
      record_(record),
      prompts_(prompts),
      files_(files),
      catalogue_(catalogue),
      currentPath_(rootPath_) {}

EditorViewState IdentityEditorSession::viewState() const {
    EditorViewState state;
    state.cardSelected = selected_.kind == ItemKind::Card;
    state.changed = modified_;
    state.customTabActive = customTab_ && formEnabled();
    state.cardProtected = cardProtected_;
    return state;
}

std::u16string IdentityEditorSession::cardFile(const std::u16string& itemPath) const {
    return itemPath + std::u16string(kIdentityCardExtension);
}

bool IdentityEditorSession::readProtection(const std::u16string& file) {
    bool isProtected = cardProtected_;
    if (record_.readProtection(file, isProtected)) cardProtected_ = isProtected;
    return cardProtected_;
}

void IdentityEditorSession::markModified() {
    if (pageReady_) modified_ = true;
}

void IdentityEditorSession::tabActivated(IdentityTab tab) {
    customTab_ = tab == IdentityTab::Custom;
    if (formEnabled()) view_->showTab(tab, record_);
}

void IdentityEditorSession::show(const TreeSelection& item) {
    if (item.kind != ItemKind::Card) {
        cardOpen_ = false;
        currentPath_ = item.path;
        return;
    }
    cardOpen_ = true;
    currentPath_ = cardFile(item.path);
    // The fill shows the summary alone: the Summary tab, without reading back
    // a page that shows nothing but the file.
    view_->fillFromRecord(record_);
    customTab_ = false;
    modified_ = false;
    cardProtected_ = record_.loadedProtected();
}

void IdentityEditorSession::pageLoaded(IdentityFormView& view) {
    view_ = &view;
    pageReady_ = true;
    if (pending_) show(selected_);
    pending_ = false;
}

SelectionOutcome IdentityEditorSession::selectionChanged(const TreeSelection& item, WindowRef owner) {
    // Pending edits are saved without asking; a save that fails has told the user.
    if (pageReady_ && cardOpen_ && modified_ && save(owner)) modified_ = false;
    const TreeSelection previous = selected_;
    selected_ = item;
    if (item.kind == ItemKind::Card) {
        const int result = record_.load(cardFile(item.path));
        if (result == kCardDamaged) return damaged(item, owner);
        if (result != kCardLoaded) {
            // The form and the current path stay with the card shown before,
            // so nothing of it is ever written over the card not opened; the
            // tree goes back to what the form shows, and the commands act on it.
            pending_ = false;
            selected_ = previous.path.empty() ? TreeSelection{ItemKind::Root, rootPath_} : previous;
            return {SelectionOutcome::Kind::KeptPrevious, selected_.path};
        }
    }
    customTab_ = false;
    if (!pageReady_) {
        pending_ = true;
        return {SelectionOutcome::Kind::WaitingForPage, {}};
    }
    show(item);
    return {SelectionOutcome::Kind::Shown, {}};
}

SelectionOutcome IdentityEditorSession::damaged(const TreeSelection& item, WindowRef owner) {
    const std::u16string folder = TreatDamagedCard(prompts_, files_, owner, CardKind::Identity, rootPath_, item.path,
                                                   kIdentityCardExtension, catalogue_);
    cardOpen_ = false;
    pending_ = false;
    modified_ = false;
    currentPath_ = folder;
    selected_ = {SamePath(folder, rootPath_) ? ItemKind::Root : ItemKind::Folder, folder};
    return {SelectionOutcome::Kind::Damaged, folder};
}

bool IdentityEditorSession::save(WindowRef owner) {
    if (!cardOpen_ || view_ == nullptr) return true;
    view_->readBackIntoRecord(record_);
    const bool isProtected = readProtection(currentPath_);
    try {
        return record_.save(currentPath_, !isProtected) == CardWriteResult::Written;
    } catch (const CTextFileException& failure) {
        ReportSaveFailure(prompts_, owner, CardPathBelowRoot(rootPath_, currentPath_, kIdentityCardExtension),
                          SystemErrorText(failure.errorCode()), catalogue_);
        return false;
    }
}

bool IdentityEditorSession::saveCommand(WindowRef owner) {
    if (!modified_) return true;
    if (!save(owner)) return false;
    modified_ = false;
    return true;
}

bool IdentityEditorSession::mayClose(WindowRef owner) {
    const bool closes = MayClose(
        IdentityEditorTraits(), prompts_, owner, modified_, [&] { return save(owner); }, catalogue_);
    if (closes) modified_ = false;
    return closes;
}

int IdentityEditorSession::reset() {
    if (!cardOpen_) return kCardNotLoaded;
    const int result = record_.load(currentPath_);
    if (result != kCardLoaded || !pageReady_) return result;
    cardProtected_ = record_.loadedProtected();
    view_->fillFromRecord(record_);
    customTab_ = false;
    modified_ = false;
    return result;
}

SelectionOutcome IdentityEditorSession::toggleProtection(WindowRef owner) {
    if (selected_.kind != ItemKind::Card) return {};
    const std::u16string file = cardFile(selected_.path);
    bool isProtected = false;
    if (!record_.readProtection(file, isProtected)) return damaged(selected_, owner);
    CardWriteResult result = CardWriteResult::NoPassword;
    try {
        result = record_.setProtection(file, !isProtected);
    } catch (const CTextFileException& failure) {
        ReportSaveFailure(prompts_, owner, CardPathBelowRoot(rootPath_, file, kIdentityCardExtension),
                          SystemErrorText(failure.errorCode()), catalogue_);
        return {};
    }
    if (result == CardWriteResult::Damaged) return damaged(selected_, owner);
    if (result == CardWriteResult::NotOwner) {
        ShowMessage(prompts_, owner, kErrorBox, catalogue_key::kIdentityNotOwner, catalogue_);
    }
    if (result == CardWriteResult::Written) cardProtected_ = !isProtected;
    return {};
}

void IdentityEditorSession::addCustomField() {
    if (!formEnabled()) return;
    view_->addCustomField(record_);
    modified_ = true;
}

void IdentityEditorSession::deleteCustomField(WindowRef owner) {
    if (formEnabled() && view_->deleteCustomField(record_, prompts_, owner)) modified_ = true;
}

std::u16string IdentityEditorSession::clipboardText() const { return IdentityClipboardText(record_); }

}  // namespace tarnwick
