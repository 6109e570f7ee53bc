// The Password Policy dialog's rules: what its OK accepts and the words a
// refusal shows. The Win32 dialog only fills a PolicyEntry from its controls
// and closes when the entry is accepted.
#pragma once

#include <string>

#include "generator/password_policy.h"

namespace tarnwick {

// The dialog's controls as typed and ticked.
struct PolicyEntry {
    std::u16string length;
    unsigned classes = 0;
    bool noLookalikes = false;
    bool useWords = false;
    std::u16string words;
};

struct PolicyEntryResult {
    PasswordPolicy policy;
    // Set when OK is refused; the dialog stays open.
    std::u16string refusal;
};

// The controls as the policy shows them.
PolicyEntry EntryOfPolicy(const PasswordPolicy& policy);
// The policy of an entry, or why it is refused: counts out of range or not
// numbers, or a policy no password can meet. Only the fields of the chosen
// kind (characters or words) are checked.
PolicyEntryResult AcceptPolicyEntry(const PolicyEntry& entry);

}  // namespace tarnwick
