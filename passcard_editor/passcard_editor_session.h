// The Passcard Editor's card session: the card on show is the shared
// CardSession's; this class supplies the passcard kind (the record's load and
// save, the field table, the address box, the clipboard text) and the
// passcard's own commands: Default, the field commands with their dialogs and
// the three view flags. The window shows address() in its address box after
// a selection, a save or Reset.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cards/passcard_record.h"
#include "editor_common/always_on_top.h"
#include "editor_common/card_session.h"
#include "foundation/option_store.h"
#include "foundation/window_signals.h"
#include "platform/random_source.h"
#include "passcard_editor/passcard_form_view.h"

namespace tarnwick {

// The address box takes at least this many characters, and a longer address
// whole: it is never saved cut.
inline constexpr std::size_t kAddressBoxChars = 2083;

struct PasscardSessionPorts {
    Prompts& prompts;
    WindowSignals& signals;  // Default's change notice
    FileSystem& files;
    const MessageCatalogue& catalogue;
};

class PasscardEditorSession : public CardSession {
public:
    // Reads the three view flags from the options once.
    PasscardEditorSession(std::u16string rootPath, PasscardRecord& record, OptionStore options,
                          PasscardSessionPorts ports);

    bool stars() const { return stars_; }
    bool details() const { return details_; }
    bool alwaysOnTop() const { return onTop_.on(); }
    // What the address box shows after a selection, a save or Reset.
    const std::u16string& address() const { return address_; }
    EditorViewState viewState() const override;

    void pageLoaded(PasscardFormView& view);
    // The idle moment: the address box's text becomes the card's address; it
    // marks the card modified when it differs from the address last loaded.
    void idle(std::u16string_view addressBoxText);

    // Default: the card's default mark flipped and the change notice sent.
    SelectionOutcome toggleDefault(WindowRef owner = kNoWindow);
    void addField(WindowRef owner);
    void renameField(WindowRef owner);
    void deleteField(WindowRef owner);
    // Generate Password: the selected field, else the first password field,
    // gets a new password by the user's policy, as if typed.
    void generatePassword(WindowRef owner);
    void setRandomSource(RandomSource& random) { random_ = &random; }
    void toggleStars();
    void toggleDetails();
    // The new always-on-top flag, for the window to apply.
    bool toggleAlwaysOnTop();

private:
    void showCard() override;
    void clearForm() override;
    void readForm() override;
    int revertCard(const std::u16string& file) override;
    std::u16string cardText() override;
    // The address box shows the address the last load or save read.
    void cardChanged() override;
    void cardMoved(const std::u16string& file) override;

    // The table built again from the record; the second first takes in what was typed.
    void rebuild();
    void rebuildKeepingEdits();
    void writeFlag(std::u16string_view key, bool on);
    std::optional<std::u16string> askFieldName(std::u16string_view titleKey, std::u16string text,
                                               const MessageBoxKind& refusal);

    PasscardRecord& record_;
    OptionStore options_;
    WindowSignals& signals_;
    PasscardFormView* view_ = nullptr;
    std::u16string address_;
    bool stars_;
    bool details_;
    AlwaysOnTopSetting onTop_;
    bool cardDefault_ = false;
    RandomSource* random_ = &NativeRandomSource();
};

}  // namespace tarnwick
