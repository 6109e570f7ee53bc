#include "passcard_editor/passcard_editor_session.h"

#include "cardtree/name_rule.h"
#include "cardtree/tree_path.h"
#include "editor_common/card_name.h"
#include "editor_common/damaged_card.h"
#include "editor_common/editor_texts.h"
#include "editor_common/editor_traits.h"
#include "editor_common/save_failure.h"
#include "editor_common/save_question.h"
#include "cards/card_file.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/sealable_text.h"
#include "foundation/text_file.h"
#include "cards/passcard_fields.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kFieldNameLabel = u"Field Name :";
constexpr int kFieldNameEditId = 1006;  // both field dialogs' edit box
constexpr std::u16string_view kFlagOn = u"1";
constexpr std::u16string_view kFlagOff = u"0";

}  // namespace

PasscardEditorSession::PasscardEditorSession(std::u16string rootPath, PasscardRecord& record, OptionStore options,
                                             PasscardSessionPorts ports)
    : rootPath_(std::move(rootPath)),
      record_(record),
      options_(std::move(options)),
      ports_(ports),
      currentPath_(rootPath_),
      stars_(options_.ShowPassword() != 0),
      details_(options_.ShowType() != 0),
      onTop_(options_, option_key::kPasswordEditorOnTop, AlwaysOnTopSetting::Read::Quietly) {}

EditorViewState PasscardEditorSession::viewState() const {
    EditorViewState state;
    state.cardSelected = passcardSelected();
    state.changed = changed_;
    state.cardProtected = cardProtected_;
    state.cardDefault = cardDefault_;
    state.passwordsAsStars = stars_;
    state.details = details_;
    state.alwaysOnTop = onTop_.on();
    return state;
}

std::u16string PasscardEditorSession::cardName() const {
    return CardPathBelowRoot(rootPath_, currentPath_, kPasscardExtension);
}

void PasscardEditorSession::markChanged() {
    if (pageReady_ && passcardSelected()) changed_ = true;
}

void PasscardEditorSession::idle(std::u16string_view addressBoxText) {
    // Until the page first completes, the box is empty while the card's
    // address waits in the record: comparing the two then would take the
    // empty box for the user's edit.
    if (!pageReady_ || !passcardSelected()) return;
    const std::u16string& loaded = record_.savedCopy.url;
    // A longer address (the browser toolbar writes what it finds) shows cut
    // in the box; the cut is not the user's edit and must not be saved.
    if (loaded.size() > kAddressBoxChars && addressBoxText == std::u16string_view(loaded).substr(0, kAddressBoxChars)) {
        record_.url = loaded;
        return;
    }
    record_.url = addressBoxText;
    if (record_.url != loaded) changed_ = true;
}

void PasscardEditorSession::showChecks() {
    // A card just loaded shows the marks of the lines it was loaded from,
    // without reading the file twice more.
    if (record_.holds(currentPath_)) {
        cardProtected_ = record_.protectionMarker == kProtectMarker;
        cardDefault_ = record_.defaultMarker == kDefaultMarker;
        return;
    }
    bool isProtected = false;
    cardProtected_ = record_.readProtection(currentPath_, isProtected) && isProtected;
    cardDefault_ = record_.isDefault(currentPath_);
}

void PasscardEditorSession::pageLoaded(PasscardFormView& view) {
    view_ = &view;
    pageReady_ = true;
    if (!passcardSelected()) return;
    view_->buildTable(record_, stars_, details_);
    address_ = record_.url;
    showChecks();
}

SelectionOutcome PasscardEditorSession::selectionChanged(const TreeSelection& item, WindowRef owner) {
    // Pending edits are saved without asking; a save that failed has been
    // reported, and what follows replaces the form.
    if (changed_) save(owner);
    changed_ = false;
    selected_ = item;
    address_.clear();
    record_.url.clear();
    record_.savedCopy.url.clear();
    record_.fieldNames.clear();
    record_.fieldTypes.clear();
    record_.fieldValues.clear();
    record_.savedCopy.fieldNames.clear();
    record_.savedCopy.fieldTypes.clear();
    record_.savedCopy.fieldValues.clear();
    const std::u16string file =
        item.kind == ItemKind::Card ? item.path + std::u16string(kPasscardExtension) : item.path;
    int result = kCardLoaded;
    if (item.kind == ItemKind::Card) {
        result = record_.load(file);
        if (result == kCardDamaged) return damaged(item, owner);
    }
    currentPath_ = file;
    if (!pageReady_) return {SelectionOutcome::Kind::WaitingForPage, {}};
    view_->clearTable();
    if (item.kind == ItemKind::Card) {
        view_->buildTable(record_, stars_, details_);
        address_ = record_.url;
        showChecks();
    }
    return {result == kCardLoaded ? SelectionOutcome::Kind::Shown : SelectionOutcome::Kind::KeptPrevious, {}};
}

SelectionOutcome PasscardEditorSession::damaged(const TreeSelection& item, WindowRef owner) {
    const std::u16string folder = TreatDamagedCard(ports_.prompts, ports_.files, owner, CardKind::Passcard, rootPath_,
                                                   item.path, kPasscardExtension, ports_.catalogue);
    currentPath_ = folder;
    selected_ = {SamePath(folder, rootPath_) ? ItemKind::Root : ItemKind::Folder, folder};
    if (view_ != nullptr) view_->clearTable();
    return {SelectionOutcome::Kind::Damaged, folder};
}

bool PasscardEditorSession::save(WindowRef owner) {
    if (!passcardSelected()) return true;
    CardWriteResult result;
    try {
        if (view_ != nullptr) {
            const PageFields page = view_->readPage();
            result = record_.save(currentPath_, page.names, page.values);
        } else {
            // The page never loaded: the record holds the fields as loaded and
            // the address from the address box.
            result = record_.save(currentPath_);
        }
    } catch (const CTextFileException& failure) {
        ReportSaveFailure(ports_.prompts, owner, cardName(), SystemErrorText(failure.errorCode()), ports_.catalogue);
        return false;
    } catch (const UnsealableTextError& refusal) {
        ReportSaveFailure(ports_.prompts, owner, cardName(), refusal.message(), ports_.catalogue);
        return false;
    }
    if (result == CardWriteResult::NotLoaded) {
        // The card on the form is not the one this record was loaded from.
        ReportSaveFailure(ports_.prompts, owner, cardName(), editor_text::kNotLoadedCard, ports_.catalogue);
    }
    return result == CardWriteResult::Written;
}

bool PasscardEditorSession::saveCommand(WindowRef owner) {
    if (!changed_) return true;
    if (!save(owner)) return false;
    changed_ = false;
    address_ = record_.url;
    return true;
}

bool PasscardEditorSession::mayClose(WindowRef owner) {
    const bool closes = MayClose(
        PasscardEditorTraits(), ports_.prompts, owner, changed_, [&] { return save(owner); }, ports_.catalogue);
    if (closes) changed_ = false;
    return closes;
}

void PasscardEditorSession::reset() {
    record_.fieldNames = record_.savedCopy.fieldNames;
    record_.fieldTypes = record_.savedCopy.fieldTypes;
    record_.fieldValues = record_.savedCopy.fieldValues;
    record_.url = record_.savedCopy.url;
    rebuild();
    address_ = record_.url;
    changed_ = false;
}

void PasscardEditorSession::pullPage() {
    if (view_ != nullptr) view_->pullPageIntoRecord(record_);
}

void PasscardEditorSession::rebuild() {
    if (view_ == nullptr) return;
    view_->clearTable();
    view_->buildTable(record_, stars_, details_);
}

void PasscardEditorSession::rebuildKeepingEdits() {
    // What was typed since the last save stays on the rebuilt form.
    pullPage();
    rebuild();
}

void PasscardEditorSession::toggleProtection(WindowRef owner) {
    if (!passcardSelected()) return;
    bool isProtected = false;
    if (!record_.readProtection(currentPath_, isProtected)) return;  // a damaged file is left alone
    const auto result = rewriteCard(owner, [&] { return record_.setProtection(currentPath_, !isProtected); });
    if (result == CardWriteResult::NotOwner) {
        ShowMessage(ports_.prompts, owner, kErrorBox, catalogue_key::kPasscardNotOwner, ports_.catalogue);
    }
    if (result == CardWriteResult::Written) cardProtected_ = !isProtected;
}

void PasscardEditorSession::toggleDefault(WindowRef owner) {
    if (!passcardSelected()) return;
    const bool wasDefault = record_.isDefault(currentPath_);
    if (rewriteCard(owner, [&] { return record_.setDefault(currentPath_, !wasDefault); }) != CardWriteResult::Written) {
        return;
    }
    cardDefault_ = !wasDefault;
    ports_.signals.NotifyTray(notify_kind::kPasscards, currentPath_);
}

CardWriteResult PasscardEditorSession::rewriteCard(WindowRef owner, const std::function<CardWriteResult()>& rewrite) {
    // The writer replaces the file whole or not at all: a failure leaves the
    // card as it was, and the user is told why the mark did not change.
    try {
        return rewrite();
    } catch (const CTextFileException& failure) {
        ReportSaveFailure(ports_.prompts, owner, cardName(), SystemErrorText(failure.errorCode()), ports_.catalogue);
    } catch (const UnsealableTextError& refusal) {
        ReportSaveFailure(ports_.prompts, owner, cardName(), refusal.message(), ports_.catalogue);
    }
    return CardWriteResult::Damaged;
}

std::optional<std::u16string> PasscardEditorSession::askFieldName(std::u16string_view titleKey, std::u16string text,
                                                                  const MessageBoxKind& refusal) {
    NameDialogRules rules(ports_.prompts, catalogue_key::kFieldNameRule, refusal, ports_.catalogue);
    const NameDialogLook look{ports_.catalogue.Lookup(titleKey), std::u16string(kFieldNameLabel), std::move(text),
                              kMaxNameChars, kFieldNameEditId};
    if (!ports_.prompts.askName(ports_.prompts.activeWindow(), look, rules)) return std::nullopt;
    return rules.name();
}

void PasscardEditorSession::addField(WindowRef) {
    if (!passcardSelected()) return;
    const auto name = askFieldName(catalogue_key::kNewFieldTitle, u"", kErrorBox);
    if (!name) return;
    pullPage();
    record_.fieldNames.push_back(*name);
    record_.fieldTypes.emplace_back(kTextFieldType);
    record_.fieldValues.emplace_back();
    rebuild();
    changed_ = true;
}

void PasscardEditorSession::renameField(WindowRef owner) {
    if (!passcardSelected() || view_ == nullptr) return;
    const SelectedField field = view_->selectedField();
    if (field.index < 0) {
        ShowMessage(ports_.prompts, owner, kWarningBox, catalogue_key::kNoFieldToRename, ports_.catalogue);
        return;
    }
    const auto name = askFieldName(catalogue_key::kRenameFieldTitle, field.name, kWarningBox);
    if (!name) return;
    pullPage();
    const auto index = static_cast<std::size_t>(field.index);
    if (index < record_.fieldNames.size()) record_.fieldNames[index] = *name;
    rebuild();
    changed_ = true;
}

void PasscardEditorSession::deleteField(WindowRef owner) {
    if (!passcardSelected() || view_ == nullptr) return;
    const SelectedField field = view_->selectedField();
    if (field.index < 0) {
        ShowMessage(ports_.prompts, owner, kWarningBox, catalogue_key::kNoFieldToDelete, ports_.catalogue);
        return;
    }
    const auto index = static_cast<std::size_t>(field.index);
    if (UserNameField(record_.fieldTypes) == index) {
        ShowMessage(ports_.prompts, owner, kWarningBox, catalogue_key::kUserNameNotDeleted, ports_.catalogue);
        return;
    }
    if (index < record_.fieldTypes.size() && IsPasswordField(record_.fieldTypes[index])) {
        ShowMessage(ports_.prompts, owner, kWarningBox, catalogue_key::kPasswordNotDeleted, ports_.catalogue);
        return;
    }
    const std::u16string question = DeleteFieldQuestion(field.name, ports_.catalogue);
    if (ShowMessageText(ports_.prompts, owner, kQuestionBox, question, ports_.catalogue) != kIdYes) return;
    pullPage();
    if (index >= record_.fieldNames.size()) return;
    const auto at = static_cast<std::ptrdiff_t>(index);
    record_.fieldNames.erase(record_.fieldNames.begin() + at);
    record_.fieldTypes.erase(record_.fieldTypes.begin() + at);
    record_.fieldValues.erase(record_.fieldValues.begin() + at);
    rebuild();
    changed_ = true;
}

void PasscardEditorSession::writeFlag(std::u16string_view key, bool on) {
    try {
        options_.WriteOption(key, on ? kFlagOn : kFlagOff);
    } catch (const CTextFileException&) {
        // The view follows the flag for this run; the option file keeps the
        // old setting, which is all a failed write of a display option costs.
    }
}

void PasscardEditorSession::toggleStars() {
    stars_ = !stars_;
    writeFlag(option_key::kShowPassword, stars_);
    rebuildKeepingEdits();
}

void PasscardEditorSession::toggleDetails() {
    details_ = !details_;
    writeFlag(option_key::kShowType, details_);
    rebuildKeepingEdits();
}

bool PasscardEditorSession::toggleAlwaysOnTop() { return onTop_.toggle(); }

std::u16string PasscardEditorSession::clipboardText() {
    pullPage();
    return PasscardClipboardText(record_);
}

}  // namespace tarnwick
