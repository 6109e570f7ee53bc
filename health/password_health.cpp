#include "health/password_health.h"

#include <map>

#include "cards/card_extensions.h"
#include "cards/passcard_fields.h"
#include "cards/passcard_record.h"
#include "foundation/message_box.h"
#include "foundation/secure_zero.h"
#include "foundation/sha1.h"
#include "foundation/text_file.h"
#include "platform/prompts.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

// A report opens cards without anyone to answer: every box is dismissed.
class SilentPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return kIdOk; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules& rules) override {
        rules.cancel();
        return false;
    }
};

// The core's paths are held within MAX_PATH.
constexpr std::size_t kLongestPath = 260;

struct FoundPassword {
    std::size_t card = 0;  // index into the card names
    std::u16string field;
    std::u16string value;
};

void wipe(std::u16string& text) {
    SecureZero(text.data(), text.size() * sizeof(char16_t));
    text.clear();
}

void wipe(std::string& text) {
    SecureZero(text.data(), text.size());
    text.clear();
}

bool endsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
    if (text.size() <= suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char16_t c = text[text.size() - suffix.size() + i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

class Walk {
public:
    Walk(FileSystem& files, PasscardRecord& record, bool openProtected, HealthReport& report)
        : files_(files),
          record_(record),
          openProtected_(openProtected),
          report_(report) {}
    ~Walk() {
        for (FoundPassword& found : passwords) wipe(found.value);
    }

    void folder(const std::u16string& path, const std::u16string& relative) {
        // A folder linked into itself ends here at the latest.
        if (path.size() >= kLongestPath) return;
        std::vector<FolderEntry> entries;
        if (files_.listFolder(path, entries) != kErrorSuccess) return;
        // As the editor's tree shows them: the folders, then the cards.
        for (const FolderEntry& entry : entries) {
            if (entry.isFolder)
                folder(path + u"\\" + entry.name, relative.empty() ? entry.name : relative + u"\\" + entry.name);
        }
        for (const FolderEntry& entry : entries) {
            if (entry.isFolder || entry.isHidden || !endsWithNoCase(entry.name, kPasscardExtension)) continue;
            const std::u16string name = entry.name.substr(0, entry.name.size() - kPasscardExtension.size());
            card(path + u"\\" + entry.name, relative.empty() ? name : relative + u"\\" + name);
        }
    }

    std::vector<std::u16string> cards;
    std::vector<FoundPassword> passwords;
    std::vector<HealthFinding> skipped;

private:
    void skip(const std::u16string& name, SkipReason reason) {
        HealthFinding finding;
        finding.kind = HealthFindingKind::Skipped;
        finding.card = name;
        finding.reason = reason;
        skipped.push_back(std::move(finding));
    }

    void card(const std::u16string& path, const std::u16string& name) {
        try {
            bool isProtected = false;
            if (!record_.readProtection(path, isProtected)) return skip(name, SkipReason::Damaged);
            if (isProtected && !openProtected_) return skip(name, SkipReason::NoPassword);
            const int result = record_.load(path);
            if (result == kCardDamaged) return skip(name, SkipReason::Damaged);
            if (result != kCardLoaded) return skip(name, SkipReason::NotOpened);
        } catch (const CTextFileException&) {
            return skip(name, SkipReason::Unreadable);
        }
        ++report_.cards;
        cards.push_back(name);
        for (std::size_t i = 0; i < record_.fieldTypes.size(); ++i) {
            if (!IsPasswordField(record_.fieldTypes[i]) || record_.fieldValues[i].empty()) continue;
            passwords.push_back({cards.size() - 1, record_.fieldNames[i], record_.fieldValues[i]});
        }
    }

    FileSystem& files_;
    PasscardRecord& record_;
    bool openProtected_;
    HealthReport& report_;
};

std::string digestOf(const std::u16string& password) {
    std::string bytes = Utf16ToUtf8(password);
    const std::string hex = Sha1Hex(Sha1(bytes.data(), bytes.size()));
    wipe(bytes);
    return hex;
}

}  // namespace

PasswordHealth::PasswordHealth(FileSystem& files, PasswordGate& gate, bool openProtected,
                               const MessageCatalogue& catalogue)
    : files_(files),
      gate_(gate),
      openProtected_(openProtected),
      catalogue_(catalogue) {}

HealthReport PasswordHealth::check(const std::u16string& userFolder, BreachList* breaches) {
    HealthReport report;
    SilentPrompts prompts;
    PasscardRecord record(gate_, prompts, files_, catalogue_);
    Walk walk(files_, record, openProtected_, report);
    walk.folder(userFolder, u"");
    report.passwords = walk.passwords.size();

    // Equal passwords by their index, in the order found.
    std::map<std::u16string_view, std::vector<std::size_t>> same;
    for (std::size_t i = 0; i < walk.passwords.size(); ++i) same[walk.passwords[i].value].push_back(i);
    const auto finding = [&](std::size_t index, HealthFindingKind kind) {
        HealthFinding made;
        made.kind = kind;
        made.card = walk.cards[walk.passwords[index].card];
        made.field = walk.passwords[index].field;
        return made;
    };

    std::vector<HealthFinding> breached, reused, weak;
    int groups = 0;
    for (std::size_t i = 0; i < walk.passwords.size(); ++i) {
        const std::u16string& password = walk.passwords[i].value;
        if (const StrengthEstimate estimate = EstimateStrength(password); IsWeak(estimate)) {
            weak.push_back(finding(i, HealthFindingKind::Weak));
            weak.back().pattern = estimate.pattern;
        }
        // The rest is said once for all the fields that share the password.
        const std::vector<std::size_t>& sharing = same[password];
        if (sharing.front() != i) continue;
        if (breaches != nullptr && report.breachFault.empty()) {
            const BreachAnswer answer = breaches->find(digestOf(password));
            if (answer.status == BreachStatus::Faulty) report.breachFault = answer.fault;
            for (std::size_t j = 0; answer.status == BreachStatus::Found && answer.count > 0 && j < sharing.size();
                 ++j) {
                breached.push_back(finding(sharing[j], HealthFindingKind::Breached));
                breached.back().count = answer.count;
            }
        }
        // Two fields of one card with one password are not a reuse.
        std::size_t cards = 0;
        for (std::size_t j = 0; j < sharing.size(); ++j) {
            cards += j == 0 || walk.passwords[sharing[j]].card != walk.passwords[sharing[j - 1]].card;
        }
        if (cards < 2) continue;
        ++groups;
        for (const std::size_t j : sharing) {
            reused.push_back(finding(j, HealthFindingKind::Reused));
            reused.back().group = groups;
            reused.back().groupSize = cards;
        }
    }
    for (auto* part : {&breached, &reused, &weak, &walk.skipped}) {
        for (HealthFinding& moved : *part) report.findings.push_back(std::move(moved));
    }
    return report;
}

std::u16string_view FindingKindName(HealthFindingKind kind) {
    switch (kind) {
        case HealthFindingKind::Breached:
            return u"breached";
        case HealthFindingKind::Reused:
            return u"reused";
        case HealthFindingKind::Weak:
            return u"weak";
        case HealthFindingKind::Skipped:
            return u"skipped";
    }
    return u"";
}

std::u16string_view SkipReasonName(SkipReason reason) {
    switch (reason) {
        case SkipReason::NoPassword:
            return u"protected";
        case SkipReason::NotOpened:
            return u"not_opened";
        case SkipReason::Damaged:
            return u"damaged";
        case SkipReason::Unreadable:
            return u"unreadable";
    }
    return u"";
}

std::u16string DescribeFinding(const HealthFinding& finding) {
    const auto number = [](std::uint64_t value) { return Utf8ToUtf16(std::to_string(value)); };
    switch (finding.kind) {
        case HealthFindingKind::Breached:
            return u"breached: seen " + number(finding.count) + (finding.count == 1 ? u" time" : u" times");
        case HealthFindingKind::Reused:
            return u"reused: group " + number(static_cast<std::uint64_t>(finding.group)) + u", " +
                   number(finding.groupSize) + u" cards";
        case HealthFindingKind::Weak:
            return u"weak: " + std::u16string(DescribePattern(finding.pattern));
        case HealthFindingKind::Skipped:
            break;
    }
    switch (finding.reason) {
        case SkipReason::NoPassword:
            return u"skipped: protected, no primary password given";
        case SkipReason::NotOpened:
            return u"skipped: could not be opened with this password";
        case SkipReason::Damaged:
            return u"skipped: damaged";
        case SkipReason::Unreadable:
            return u"skipped: unreadable";
    }
    return u"";
}

}  // namespace tarnwick
