#include "passcard_editor/passcard_editor_session.h"

#include "cardtree/name_rule.h"
#include "cards/passcard_fields.h"
#include "editor_common/editor_traits.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/secret_text.h"
#include "foundation/text_file.h"
#include "generator/password_generator.h"
#include "passcard_editor/password_fill.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kFieldNameLabel = u"Field Name :";
constexpr int kFieldNameEditId = 1006;  // both field dialogs' edit box
constexpr std::u16string_view kFlagOn = u"1";
constexpr std::u16string_view kFlagOff = u"0";

}  // namespace

PasscardEditorSession::PasscardEditorSession(std::u16string rootPath, PasscardRecord& record, OptionStore options,
                                             PasscardSessionPorts ports)
    : CardSession(PasscardEditorTraits(), std::move(rootPath), record, {ports.prompts, ports.files, ports.catalogue}),
      record_(record),
      options_(std::move(options)),
      signals_(ports.signals),
      stars_(options_.ShowPassword() != 0),
      details_(options_.ShowType() != 0),
      onTop_(options_, option_key::kPasswordEditorOnTop, AlwaysOnTopSetting::Read::Quietly) {}

EditorViewState PasscardEditorSession::viewState() const {
    EditorViewState state = CardSession::viewState();
    state.cardDefault = cardOnShow() && cardDefault_;
    state.passwordsAsStars = stars_;
    state.details = details_;
    state.alwaysOnTop = onTop_.on();
    return state;
}

void PasscardEditorSession::pageLoaded(PasscardFormView& view) {
    view_ = &view;
    CardSession::pageLoaded();
}

void PasscardEditorSession::idle(std::u16string_view addressBoxText) {
    // Until the page first completes, the box is empty while the card's
    // address waits in the record: comparing the two then would take the
    // empty box for the user's edit.
    if (!formEnabled()) return;
    record_.url = addressBoxText;
    if (record_.url != record_.savedCopy.url) markModified();
}

void PasscardEditorSession::showCard() {
    rebuild();
    address_ = record_.url;
}

void PasscardEditorSession::clearForm() {
    if (view_ != nullptr) view_->clearTable();
    address_.clear();
}

void PasscardEditorSession::readForm() {
    // The address is the box's, taken at every idle moment.
    if (view_ != nullptr) view_->pullPageIntoRecord(record_);
}

// Reset: the fields and address last loaded or saved, back on the form.
int PasscardEditorSession::revertCard(const std::u16string&) {
    record_.revertToSavedCopy();
    return kCardLoaded;
}

std::u16string PasscardEditorSession::cardText() { return PasscardClipboardText(record_); }

// The marks shown are those of the lines the record holds, which setDefault
// and setProtection keep in step with the file.
void PasscardEditorSession::cardChanged() {
    cardDefault_ = cardOnShow() && record_.defaultMarker == kDefaultMarker;
    if (cardOnShow()) address_ = record_.url;
}

void PasscardEditorSession::cardMoved(const std::u16string& file) { record_.cardMoved(file); }

SelectionOutcome PasscardEditorSession::toggleDefault(WindowRef owner) {
    SelectionOutcome outcome;
    if (!cardOnShow()) return outcome;
    const std::u16string file = shownFile();
    bool wasDefault = false;
    if (!inspectCard(
            owner,
            [&] {
                bool isProtected = false;
                if (!record_.readProtection(file, isProtected)) return false;
                wasDefault = record_.isDefault(file);
                return true;
            },
            &outcome)) {
        return outcome;
    }
    if (rewriteCard(
            owner, [&] { return record_.setDefault(file, !wasDefault); }, &outcome) != CardWriteResult::Written) {
        return outcome;
    }
    cardDefault_ = !wasDefault;
    signals_.NotifyTray(notify_kind::kPasscards, file);
    return outcome;
}

void PasscardEditorSession::rebuild() {
    if (view_ == nullptr) return;
    view_->clearTable();
    view_->buildTable(record_, stars_, details_);
}

void PasscardEditorSession::rebuildKeepingEdits() {
    // What was typed since the last save stays on the rebuilt form.
    if (view_ != nullptr) view_->pullPageIntoRecord(record_);
    if (cardOnShow()) rebuild();
}

std::optional<std::u16string> PasscardEditorSession::askFieldName(std::u16string_view titleKey, std::u16string text,
                                                                  const MessageBoxKind& refusal) {
    NameDialogRules rules(prompts(), catalogue_key::kFieldNameRule, refusal, catalogue());
    const NameDialogLook look{catalogue().Lookup(titleKey), std::u16string(kFieldNameLabel), std::move(text),
                              kMaxNameChars, kFieldNameEditId};
    if (!prompts().askName(prompts().activeWindow(), look, rules)) return std::nullopt;
    return rules.name();
}

void PasscardEditorSession::addField(WindowRef) {
    if (!formEnabled()) return;
    const auto name = askFieldName(catalogue_key::kNewFieldTitle, u"", kErrorBox);
    if (!name) return;
    view_->pullPageIntoRecord(record_);
    record_.fieldNames.push_back(*name);
    record_.fieldTypes.emplace_back(kTextFieldType);
    record_.fieldValues.emplace_back();
    rebuild();
    markModified();
}

void PasscardEditorSession::renameField(WindowRef owner) {
    if (!formEnabled()) return;
    const SelectedField field = view_->selectedField();
    if (field.index < 0) {
        ShowMessage(prompts(), owner, kWarningBox, catalogue_key::kNoFieldToRename, catalogue());
        return;
    }
    const auto name = askFieldName(catalogue_key::kRenameFieldTitle, field.name, kWarningBox);
    if (!name) return;
    view_->pullPageIntoRecord(record_);
    const auto index = static_cast<std::size_t>(field.index);
    if (index < record_.fieldNames.size()) record_.fieldNames[index] = *name;
    rebuild();
    markModified();
}

void PasscardEditorSession::deleteField(WindowRef owner) {
    if (!formEnabled()) return;
    const SelectedField field = view_->selectedField();
    if (field.index < 0) {
        ShowMessage(prompts(), owner, kWarningBox, catalogue_key::kNoFieldToDelete, catalogue());
        return;
    }
    const auto index = static_cast<std::size_t>(field.index);
    if (UserNameField(record_.fieldTypes) == index) {
        ShowMessage(prompts(), owner, kWarningBox, catalogue_key::kUserNameNotDeleted, catalogue());
        return;
    }
    if (index < record_.fieldTypes.size() && IsPasswordField(record_.fieldTypes[index])) {
        ShowMessage(prompts(), owner, kWarningBox, catalogue_key::kPasswordNotDeleted, catalogue());
        return;
    }
    const std::u16string question = DeleteFieldQuestion(field.name, catalogue());
    if (ShowMessageText(prompts(), owner, kQuestionBox, question, catalogue()) != kIdYes) return;
    view_->pullPageIntoRecord(record_);
    if (index >= record_.fieldNames.size()) return;
    const auto at = static_cast<std::ptrdiff_t>(index);
    record_.fieldNames.erase(record_.fieldNames.begin() + at);
    record_.fieldTypes.erase(record_.fieldTypes.begin() + at);
    record_.fieldValues.erase(record_.fieldValues.begin() + at);
    rebuild();
    markModified();
}

void PasscardEditorSession::generatePassword(WindowRef owner) {
    if (!formEnabled()) return;
    const auto target = PasswordFillTarget(view_->selectedField().index, record_.fieldTypes);
    if (!target) {
        ShowMessageText(prompts(), owner, kWarningBox, std::u16string(kNoFieldForPassword), catalogue());
        return;
    }
    GeneratedPassword generated;
    try {
        generated = GeneratePassword(ReadPasswordPolicy(options_), *random_);
    } catch (const std::runtime_error&) {
        ShowMessageText(prompts(), owner, kErrorBox, std::u16string(kRandomSourceFailed), catalogue());
        return;
    }
    if (!generated.refusal.empty()) {
        ShowMessageText(prompts(), owner, kWarningBox, generated.refusal, catalogue());
        return;
    }
    view_->setFieldValue(*target, generated.text);
    WipeText(generated.text);
    markModified();
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

}  // namespace tarnwick
