// The password health report of a user's library: every password field of
// every passcard, weak (the strength estimate), reused (the same password on
// more than one card, in any folder) or breached (found in a downloaded list).
// The CLI prints it and the Passcard Editor shows it; neither ever shows a
// password or its hash, only the card and the field name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/message_catalogue.h"
#include "foundation/password_gate.h"
#include "health/breach_list.h"
#include "health/password_strength.h"
#include "platform/file_system.h"

namespace tarnwick {

enum class HealthFindingKind { Breached, Reused, Weak, Skipped };

// Why a card took no part.
enum class SkipReason { NoPassword, NotOpened, Damaged, Unreadable };

struct HealthFinding {
    HealthFindingKind kind = HealthFindingKind::Weak;
    // The card below the user's folder, parts joined by "\", without the extension.
    std::u16string card;
    std::u16string field;                        // empty for a skipped card
    WeakPattern pattern = WeakPattern::None;     // Weak
    int group = 0;                               // Reused: the group's number, from 1
    std::size_t groupSize = 0;                   // Reused: how many cards share it
    std::uint64_t count = 0;                     // Breached: how often it was seen
    SkipReason reason = SkipReason::NoPassword;  // Skipped
};

struct HealthReport {
    std::size_t cards = 0;      // passcards read
    std::size_t passwords = 0;  // non-empty password fields checked
    // Breached first, then each reuse group together, the weak ones, the skipped cards.
    std::vector<HealthFinding> findings;
    // Set when the breach list turned out faulty: its lookups were stopped.
    std::string breachFault;

    bool clean() const { return findings.empty() && breachFault.empty(); }
};

// The finding as one short English phrase, for the table and the window.
std::u16string DescribeFinding(const HealthFinding& finding);
std::u16string_view FindingKindName(HealthFindingKind kind);
std::u16string_view SkipReasonName(SkipReason reason);

class PasswordHealth {
public:
    // Protected cards are opened through `gate` only when `openProtected`;
    // otherwise they are listed as skipped without asking for anything.
    PasswordHealth(FileSystem& files, PasswordGate& gate, bool openProtected,
                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    // Walks `userFolder` (no trailing "\"); `breaches` may be null.
    HealthReport check(const std::u16string& userFolder, BreachList* breaches);

private:
    FileSystem& files_;
    PasswordGate& gate_;
    bool openProtected_;
    const MessageCatalogue& catalogue_;
};

}  // namespace tarnwick
