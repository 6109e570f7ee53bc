#include "identity_editor/identity_editor_session.h"

#include "editor_common/editor_traits.h"
#include "identity_editor/identity_clipboard.h"

namespace tarnwick {

IdentityEditorSession::IdentityEditorSession(std::u16string rootPath, IdentityRecord& record, Prompts& prompts,
                                             FileSystem& files, const MessageCatalogue& catalogue)
    : CardSession(IdentityEditorTraits(), std::move(rootPath), record, {prompts, files, catalogue}),
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

int IdentityEditorSession::revertCard(const std::u16string& file) { return record_.load(file); }

std::u16string IdentityEditorSession::cardText() { return IdentityClipboardText(record_); }

}  // namespace tarnwick
