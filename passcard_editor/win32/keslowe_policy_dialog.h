// The Password Policy dialog (dialog resource IDD_PASSWORD_POLICY): the length,
// the four character classes, leaving out look-alikes, or a passphrase of N
// words. OK is accepted or refused by AcceptPolicyEntry; a refusal is shown
// in a warning box and the dialog stays open.
#pragma once

#include <windows.h>

#include <optional>

#include "generator/policy_entry.h"
#include "platform/prompts.h"
#include "platform/win32/dialog_base.h"

namespace tarnwick {

class KeslowePolicyDialog : public DialogBase {
public:
    KeslowePolicyDialog(const PasswordPolicy& policy, Prompts& prompts) : policy_(policy), prompts_(prompts) {}
    // Shows the dialog modally over `owner`; the accepted policy, or nothing on Cancel.
    std::optional<PasswordPolicy> show(HWND owner);

private:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

    PolicyEntry readEntry() const;
    void enableKinds();

    PasswordPolicy policy_;
    Prompts& prompts_;
};

}  // namespace tarnwick
