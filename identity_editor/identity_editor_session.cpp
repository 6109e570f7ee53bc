#include "identity_editor/identity_editor_session.h"

#include "editor_common/editor_traits.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/text_file.h"
#include "identity_editor/identity_clipboard.h"

namespace tarnwick {

IdentityEditorSession::IdentityEditorSession(std::u16string rootPath, IdentityRecord& record, Prompts& prompts,
                                             FileSystem& files, const MessageCatalogue& catalogue)
    : CardSession(IdentityEditorTraits(), std::move(rootPath), {prompts, files, catalogue}),
      record_(record) {}

EditorViewState IdentityEditorSession::viewState() const {
    EditorViewState state = CardSession::viewState();
    state.customTabActive = customTab_ && formEnabled();
    return state;
}

void IdentityEditorSession::pageLoaded(IdentityFormView& view) {
    view_ = &view;
    CardSession::pageLoaded();
}

void IdentityEditorSession::tabActivated(IdentityTab tab) {
    customTab_ = tab == IdentityTab::Custom;
    if (formEnabled()) view_->showTab(tab, record_);
}

void IdentityEditorSession::addCustomField() {
    if (!formEnabled()) return;
    view_->addCustomField(record_);
    markModified();
}

void IdentityEditorSession::deleteCustomField(WindowRef owner) {
    if (formEnabled() && view_->deleteCustomField(record_, prompts(), owner)) markModified();
}

int IdentityEditorSession::loadCard(const std::u16string& file) { return record_.load(file); }

// The fill shows the summary alone: the Summary tab, without reading back a
// page that shows nothing but the file.
void IdentityEditorSession::showCard() {
    if (view_ != nullptr) view_->fillFromRecord(record_);
    customTab_ = false;
}

// A folder disables the form; what it showed stays behind, greyed.
void IdentityEditorSession::clearForm() { customTab_ = false; }

void IdentityEditorSession::readForm() {
    if (view_ != nullptr) view_->readBackIntoRecord(record_);
}

CardWriteResult IdentityEditorSession::writeCard(const std::u16string& file) {
    // The card keeps the protection its file has now (another program may
    // have toggled it); a file that cannot be read keeps the one loaded.
    bool isProtected = cardProtected();
    try {
        if (!record_.readProtection(file, isProtected)) isProtected = cardProtected();
    } catch (const CTextFileException&) {
        isProtected = cardProtected();
    }
    return record_.save(file, !isProtected);
}

int IdentityEditorSession::revertCard(const std::u16string& file) { return record_.load(file); }

bool IdentityEditorSession::readProtection(const std::u16string& file, bool& isProtected) {
    return record_.readProtection(file, isProtected);
}

CardWriteResult IdentityEditorSession::setProtection(const std::u16string& file, bool protect) {
    return record_.setProtection(file, protect);
}

bool IdentityEditorSession::loadedProtected() const { return record_.loadedProtected(); }

std::u16string IdentityEditorSession::cardText() { return IdentityClipboardText(record_); }

std::u16string_view IdentityEditorSession::notOwnerKey() const { return catalogue_key::kIdentityNotOwner; }

}  // namespace tarnwick
