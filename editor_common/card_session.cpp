#include "editor_common/card_session.h"

#include "editor_common/card_name.h"
#include "editor_common/damaged_card.h"
#include "editor_common/editor_texts.h"
#include "editor_common/save_failure.h"
#include "editor_common/save_question.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/primary_password.h"
#include "foundation/sealable_text.h"
#include "foundation/text_file.h"
#include "foundation/windows_path.h"

namespace tarnwick {

CardSession::CardSession(const EditorTraits& traits, std::u16string rootPath, CardFileRecord& record,
                         CardSessionPorts ports)
    : traits_(traits),
      rootPath_(std::move(rootPath)),
      record_(record),
      ports_(ports),
      currentPath_(rootPath_),
      selected_{ItemKind::Root, rootPath_} {}

EditorViewState CardSession::viewState() const {
    EditorViewState state;
    state.cardSelected = cardOnShow_ && selected_.kind == ItemKind::Card;
    state.changed = modified_;
    state.cardProtected = cardOnShow_ && cardProtected_;
    return state;
}

std::u16string CardSession::cardFile(const std::u16string& itemPath) const {
    return itemPath + std::u16string(traits_.tree.extension);
}

std::u16string CardSession::itemPathOf(const std::u16string& file) const {
    const std::u16string_view extension = traits_.tree.extension;
    return file.ends_with(extension) ? file.substr(0, file.size() - extension.size()) : file;
}

std::u16string CardSession::cardName(const std::u16string& file) const {
    return CardPathBelowRoot(rootPath_, file, traits_.tree.extension);
}

void CardSession::pageLoaded() {
    pageReady_ = true;
    if (pending_ && cardOnShow_) showCard();
    if (!cardOnShow_) clearForm();
    pending_ = false;
}

void CardSession::markModified() {
    if (pageReady_ && cardOnShow_) modified_ = true;
}

std::optional<std::u16string> CardSession::trySave() {
    if (!modified_ || !cardOnShow_) return std::nullopt;
    CardWriteResult result = CardWriteResult::Written;
    try {
        readForm();
        result = record_.saveCard(shownFile_);
    } catch (const CTextFileException& failure) {
        return SystemErrorText(failure.errorCode());
    } catch (const UnsealableTextError& refusal) {
        return refusal.message();
    }
    switch (result) {
        case CardWriteResult::Written:
            modified_ = false;
            cardChanged();
            return std::nullopt;
        case CardWriteResult::NoPassword:
            return std::u16string(editor_text::kPasswordNotGiven);
        case CardWriteResult::NotLoaded:
            return std::u16string(editor_text::kNotLoadedCard);
        case CardWriteResult::Damaged:
        case CardWriteResult::NotOwner:
            break;
    }
    return SystemErrorText(kErrorWriteFault);
}

bool CardSession::save(WindowRef owner) {
    const std::optional<std::u16string> failure = trySave();
    if (failure) ReportSaveFailure(ports_.prompts, owner, cardName(shownFile_), *failure, ports_.catalogue);
    return !failure;
}

SelectionOutcome CardSession::selectionChanged(const TreeSelection& item, WindowRef owner) {
    if (returningTo_) {
        // The tree going back to the card on show is no new selection.
        const bool returning = SamePath(item.path, *returningTo_);
        returningTo_.reset();
        if (returning) return {SelectionOutcome::Kind::Unchanged, {}};
    }
    if (!save(owner)) return backToShown(item);
    if (item.kind != ItemKind::Card) {
        selected_ = item;
        forgetCard(item.path);
        return {SelectionOutcome::Kind::Shown, {}};
    }
    const std::u16string file = cardFile(item.path);
    int result = kCardNotLoaded;
    try {
        result = record_.load(file);
    } catch (const CTextFileException& failure) {
        reportUnreadable(owner, file, failure.errorCode());
        return backToShown(item);
    }
    if (result == kCardDamaged) return damaged(file, owner);
    // Cancelled, or another user's card (which the record reported).
    if (result != kCardLoaded) return backToShown(item);
    selected_ = item;
    shownFile_ = file;
    currentPath_ = file;
    cardOnShow_ = true;
    modified_ = false;
    cardProtected_ = record_.loadedProtected();
    cardChanged();
    if (!pageReady_) {
        pending_ = true;
        return {SelectionOutcome::Kind::WaitingForPage, {}};
    }
    showCard();
    return {SelectionOutcome::Kind::Shown, {}};
}

SelectionOutcome CardSession::backToShown(const TreeSelection& refused) {
    // The tree shows what the form shows: the card on show, the folder
    // selected before, or (at start) the folder of the card refused.
    std::u16string path = cardOnShow_ ? itemPathOf(shownFile_) : selected_.path;
    if (path.empty() || (!cardOnShow_ && SamePath(path, refused.path))) path = std::u16string(ParentPath(refused.path));
    if (!cardOnShow_) selected_ = {SamePath(path, rootPath_) ? ItemKind::Root : ItemKind::Folder, path};
    returningTo_ = path;
    return {SelectionOutcome::Kind::BackToShown, path};
}

SelectionOutcome CardSession::damaged(const std::u16string& file, WindowRef owner) {
    const std::u16string folder =
        TreatDamagedCard(ports_.prompts, ports_.files, owner, traits_.tree.cardKind, rootPath_, itemPathOf(file),
                         traits_.tree.extension, ports_.catalogue);
    selected_ = {SamePath(folder, rootPath_) ? ItemKind::Root : ItemKind::Folder, folder};
    forgetCard(folder);
    return {SelectionOutcome::Kind::Reload, folder};
}

void CardSession::forgetCard(const std::u16string& folder) {
    cardOnShow_ = false;
    pending_ = false;
    modified_ = false;
    cardProtected_ = false;
    shownFile_.clear();
    currentPath_ = folder;
    cardChanged();
    if (pageReady_) clearForm();
}

void CardSession::reportUnreadable(WindowRef owner, const std::u16string& file, std::uint32_t error) {
    ReportReadFailure(ports_.prompts, owner, cardName(file), SystemErrorText(error), ports_.catalogue);
}

bool CardSession::saveCommand(WindowRef owner) { return save(owner); }

bool CardSession::mayClose(WindowRef owner) {
    return MayClose(
        traits_, ports_.prompts, owner, modified_ && cardOnShow_, [&] { return save(owner); }, ports_.catalogue);
}

bool CardSession::closeWithoutAsking() {
    const std::optional<std::u16string> failure = trySave();
    if (!failure) return true;
    // Shown once the sender has its answer: a box now would hold it waiting.
    std::u16string text(editor_text::kSaveFailed);
    text += u'\'';
    text += cardName(shownFile_);
    text += u"':\n";
    text += *failure;
    pendingReport_ = std::move(text);
    return false;
}

void CardSession::showPendingReport(WindowRef owner) {
    if (!pendingReport_) return;
    const std::u16string text = std::move(*pendingReport_);
    pendingReport_.reset();
    ShowMessageText(ports_.prompts, owner, kErrorBox, text, ports_.catalogue);
}

void CardSession::forgetPrimaryPassword() { ClearCurrentPrimaryPassword(); }

void CardSession::reset(WindowRef owner) {
    if (!cardOnShow_) return;
    int result = kCardNotLoaded;
    try {
        result = revertCard(shownFile_);
    } catch (const CTextFileException& failure) {
        reportUnreadable(owner, shownFile_, failure.errorCode());
        return;
    }
    // A card that no longer opens keeps its edits on the form.
    if (result != kCardLoaded) return;
    modified_ = false;
    cardProtected_ = record_.loadedProtected();
    cardChanged();
    if (pageReady_) showCard();
}

bool CardSession::inspectCard(WindowRef owner, const std::function<bool()>& read, SelectionOutcome* damagedOutcome) {
    bool intact = false;
    try {
        intact = read();
    } catch (const CTextFileException& failure) {
        reportUnreadable(owner, shownFile_, failure.errorCode());
        return false;
    }
    if (!intact) {
        const SelectionOutcome outcome = damaged(shownFile_, owner);
        if (damagedOutcome != nullptr) *damagedOutcome = outcome;
    }
    return intact;
}

CardWriteResult CardSession::rewriteCard(WindowRef owner, const std::function<CardWriteResult()>& rewrite,
                                         SelectionOutcome* damagedOutcome) {
    CardWriteResult result = CardWriteResult::Damaged;
    try {
        result = rewrite();
    } catch (const CTextFileException& failure) {
        // The writer replaces the file whole or not at all: the card is as it was.
        ReportSaveFailure(ports_.prompts, owner, cardName(shownFile_), SystemErrorText(failure.errorCode()),
                          ports_.catalogue);
        return CardWriteResult::NotLoaded;
    } catch (const UnsealableTextError& refusal) {
        ReportSaveFailure(ports_.prompts, owner, cardName(shownFile_), refusal.message(), ports_.catalogue);
        return CardWriteResult::NotLoaded;
    }
    if (result == CardWriteResult::Damaged) {
        const SelectionOutcome outcome = damaged(shownFile_, owner);
        if (damagedOutcome != nullptr) *damagedOutcome = outcome;
    }
    return result;
}

SelectionOutcome CardSession::toggleProtection(WindowRef owner) {
    SelectionOutcome outcome;
    if (!cardOnShow_) return outcome;
    bool isProtected = false;
    if (!inspectCard(
            owner, [&] { return record_.readProtection(shownFile_, isProtected); }, &outcome)) {
        return outcome;
    }
    const CardWriteResult result = rewriteCard(
        owner, [&] { return record_.setProtection(shownFile_, !isProtected); }, &outcome);
    if (result == CardWriteResult::NotOwner) {
        const bool identity = traits_.tree.cardKind == CardKind::Identity;
        ShowMessage(ports_.prompts, owner, kErrorBox,
                    identity ? catalogue_key::kIdentityNotOwner : catalogue_key::kPasscardNotOwner, ports_.catalogue);
    }
    if (result == CardWriteResult::Written) {
        cardProtected_ = !isProtected;
        cardChanged();
    }
    return outcome;
}

std::u16string CardSession::clipboardText() {
    if (!cardOnShow_) return {};
    if (pageReady_) readForm();
    return cardText();
}

bool CardSession::beforeChange(const std::u16string& entryPath, WindowRef owner) {
    if (!cardOnShow_ || !IsSameOrInside(shownFile_, entryPath)) return true;
    return save(owner);
}

void CardSession::moved(const std::u16string& from, const std::u16string& to) {
    if (!cardOnShow_ || !IsSameOrInside(shownFile_, from)) return;
    // The card on show, or a folder on its way up, has a new path: the edits
    // to come belong there.
    const std::u16string below = shownFile_.substr(from.size());
    shownFile_ = to + below;
    currentPath_ = shownFile_;
    cardMoved(shownFile_);
    selected_ = {ItemKind::Card, itemPathOf(shownFile_)};
}

void CardSession::removed(const std::u16string& entryPath) {
    if (!cardOnShow_ || !IsSameOrInside(shownFile_, entryPath)) return;
    forgetCard(std::u16string(ParentPath(entryPath)));
    selected_ = {SamePath(currentPath_, rootPath_) ? ItemKind::Root : ItemKind::Folder, currentPath_};
}

}  // namespace tarnwick
