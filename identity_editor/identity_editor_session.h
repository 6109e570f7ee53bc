// The Identity Editor's card session: the card on show is the shared
// CardSession's; this class supplies the identity kind (the record's load and
// save, the form binding, the clipboard text) and the form's own commands:
// the six tabs and Add and Delete Custom Field.
#pragma once

#include <string>

#include "cards/identity_record.h"
#include "editor_common/card_session.h"
#include "identity_editor/identity_form_view.h"

namespace tarnwick {

class IdentityEditorSession : public CardSession {
public:
    IdentityEditorSession(std::u16string rootPath, IdentityRecord& record, Prompts& prompts,
                          FileSystem& files = NativeFileSystem(),
                          const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    EditorViewState viewState() const override;

    // The page has loaded: the selection made meanwhile is shown.
    void pageLoaded(IdentityFormView& view);
    void tabActivated(IdentityTab tab);
    void addCustomField();
    void deleteCustomField(WindowRef owner);

private:
    void showCard() override;
    void clearForm() override;
    void readForm() override;
    int revertCard(const std::u16string& file) override;
    std::u16string cardText() override;

    IdentityRecord& record_;
    IdentityFormView* view_ = nullptr;
    bool customTab_ = false;
};

}  // namespace tarnwick
