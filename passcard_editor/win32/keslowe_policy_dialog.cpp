#include "passcard_editor/win32/keslowe_policy_dialog.h"

#include <array>
#include <utility>

#include "foundation/message_box.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_layout.h"

namespace tarnwick {
namespace {

constexpr std::array<std::pair<int, unsigned>, 4> kClassBoxes = {{
    {IDC_GEN_LOWER, char_class::kLower},
    {IDC_GEN_UPPER, char_class::kUpper},
    {IDC_GEN_DIGITS, char_class::kDigits},
    {IDC_GEN_SYMBOLS, char_class::kSymbols},
}};
constexpr int kCountChars = 4;

std::u16string textOf(HWND control) {
    wchar_t text[16] = {};
    const int length = GetWindowTextW(control, text, 16);
    return FromWide(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

}  // namespace

std::optional<PasswordPolicy> KeslowePolicyDialog::show(HWND owner) {
    if (runModal(IDD_PASSWORD_POLICY, owner) != IDOK) return std::nullopt;
    return policy_;
}

bool KeslowePolicyDialog::onInitDialog() {
    const PolicyEntry entry = EntryOfPolicy(policy_);
    SetDlgItemTextW(handle(), IDC_GEN_LENGTH, AsWide(entry.length));
    SetDlgItemTextW(handle(), IDC_GEN_WORDS, AsWide(entry.words));
    SendMessageW(item(IDC_GEN_LENGTH), EM_SETLIMITTEXT, kCountChars, 0);
    SendMessageW(item(IDC_GEN_WORDS), EM_SETLIMITTEXT, kCountChars, 0);
    for (const auto& [id, bit] : kClassBoxes) CheckDlgButton(handle(), id, (entry.classes & bit) ? BST_CHECKED : 0);
    CheckDlgButton(handle(), IDC_GEN_NO_LOOKALIKES, entry.noLookalikes ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(handle(), IDC_GEN_USE_WORDS, entry.useWords ? BST_CHECKED : BST_UNCHECKED);
    enableKinds();
    CentreOnOwner(handle());
    return true;
}

PolicyEntry KeslowePolicyDialog::readEntry() const {
    PolicyEntry entry;
    entry.length = textOf(item(IDC_GEN_LENGTH));
    entry.words = textOf(item(IDC_GEN_WORDS));
    for (const auto& [id, bit] : kClassBoxes) {
        if (IsDlgButtonChecked(handle(), id) == BST_CHECKED) entry.classes |= bit;
    }
    entry.noLookalikes = IsDlgButtonChecked(handle(), IDC_GEN_NO_LOOKALIKES) == BST_CHECKED;
    entry.useWords = IsDlgButtonChecked(handle(), IDC_GEN_USE_WORDS) == BST_CHECKED;
    return entry;
}

// Only the controls of the chosen kind, characters or words, take input.
void KeslowePolicyDialog::enableKinds() {
    const bool words = IsDlgButtonChecked(handle(), IDC_GEN_USE_WORDS) == BST_CHECKED;
    for (int id :
         {IDC_GEN_LENGTH, IDC_GEN_LOWER, IDC_GEN_UPPER, IDC_GEN_DIGITS, IDC_GEN_SYMBOLS, IDC_GEN_NO_LOOKALIKES}) {
        EnableWindow(item(id), words ? FALSE : TRUE);
    }
    EnableWindow(item(IDC_GEN_WORDS), words ? TRUE : FALSE);
}

bool KeslowePolicyDialog::onCommand(int id, int code) {
    if (id == IDC_GEN_USE_WORDS && code == BN_CLICKED) {
        enableKinds();
        return true;
    }
    if (id == IDCANCEL) {
        end(IDCANCEL);
        return true;
    }
    if (id != IDOK) return false;
    const PolicyEntryResult result = AcceptPolicyEntry(readEntry());
    if (!result.refusal.empty()) {
        ShowMessageText(prompts_, reinterpret_cast<WindowRef>(handle()), kWarningBox, result.refusal,
                        MessageCatalogue::Instance());
        return true;
    }
    policy_ = result.policy;
    end(IDOK);
    return true;
}

}  // namespace tarnwick
