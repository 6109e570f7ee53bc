// The operations on a passcard file that work line by line, without the record.
#include <algorithm>

#include "cards/card_marker.h"
#include "foundation/sealable_text.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "cards/passcard_layout.h"
#include "cards/passcard_record.h"

namespace tarnwick {

std::u16string PasscardFieldLabel(std::size_t field, std::u16string_view name) {
    if (!name.empty()) return std::u16string(name);
    const std::string number = std::to_string(field + 1);
    return u"field " + std::u16string(number.begin(), number.end());
}

bool IsIntactPasscard(const std::vector<std::u16string>& lines) {
    const std::size_t n = lines.size();
    if (n < kPasscardFixedLines || (n - kPasscardFixedLines) % 3 != 0) return false;
    if (std::any_of(lines.begin(), lines.end(), [](const std::u16string& line) { return line.empty(); })) {
        return false;
    }
    return CardCheckLineMatches(lines);
}

std::vector<std::u16string> PasscardRecord::intactLines(const std::u16string& cardPath) const {
    std::vector<std::u16string> lines = ReadCardLines(cardPath, files_);
    if (!IsIntactPasscard(lines)) lines.clear();
    return lines;
}

bool PasscardRecord::readProtection(const std::u16string& cardPath, bool& isProtected) const {
    const std::vector<std::u16string> lines = intactLines(cardPath);
    if (lines.empty()) return false;
    isProtected = IsCardProtected(lines[lines.size() - 2]);
    return true;
}

bool PasscardRecord::checkOwner(const std::u16string& cardPath) const {
    const std::vector<std::u16string> lines = intactLines(cardPath);
    return !lines.empty() && CardBelongsToCurrentUser(lines[lines.size() - 2]);
}

bool PasscardRecord::isDefault(const std::u16string& cardPath) const {
    const std::vector<std::u16string> lines = intactLines(cardPath);
    return !lines.empty() && UnsealText(lines[lines.size() - 3], kAlgorithmBlowfish, KeyModeCommon) == kDefaultMarker;
}

CardWriteResult PasscardRecord::setDefault(const std::u16string& cardPath, bool isDefaultCard) {
    std::vector<std::u16string> lines = intactLines(cardPath);
    if (lines.empty()) return CardWriteResult::Damaged;
    const std::size_t n = lines.size();
    const std::u16string_view marker = isDefaultCard ? kDefaultMarker : kUndefaultMarker;
    lines[n - 3] = SealText(marker, kAlgorithmBlowfish, KeyModeCommon);
    lines[n - 1] = CardCheckLine(lines, n - 1);
    WriteTextLines(cardPath, lines, kEncodingUtf16LittleEndian, files_);
    // A later save of the record must not undo the new mark.
    if (holds(cardPath)) defaultMarker = marker;
    return CardWriteResult::Written;
}

CardWriteResult PasscardRecord::setProtection(const std::u16string& cardPath, bool protect) {
    std::vector<std::u16string> lines = intactLines(cardPath);
    if (lines.empty()) return CardWriteResult::Damaged;
    const std::size_t n = lines.size();
    const bool isProtected = IsCardProtected(lines[n - 2]);
    if (isProtected == protect) return CardWriteResult::Written;
    if (!gate_.EnsurePrimaryPassword(prompts_.activeWindow())) return CardWriteResult::NoPassword;
    // Unsealing another user's lines with this user's key would turn them to garbage.
    if (isProtected && !CardBelongsToCurrentUser(lines[n - 2])) return CardWriteResult::NotOwner;
    const int from = protect ? KeyModeCommon : KeyModeUser;
    const int to = protect ? KeyModeUser : KeyModeCommon;
    // Every text is opened and checked before any is sealed again: a card
    // written under another code page may hold text this one cannot keep.
    std::vector<std::u16string> plain(n);
    for (std::size_t i = 1; i + 3 < n; ++i) plain[i] = UnsealText(lines[i], kAlgorithmBlowfish, from);
    for (std::size_t i = 1; i + 3 < n; ++i) {
        if (i == 1) {
            RequireSealable(kPasscardAddressLabel, plain[i]);
            continue;
        }
        const std::size_t field = (i - 2) / 3;
        const bool nameLine = i == PasscardFieldLine(field);
        RequireSealable(PasscardFieldLabel(field, nameLine ? u"" : plain[PasscardFieldLine(field)]), plain[i]);
    }
    for (std::size_t i = 1; i + 3 < n; ++i) lines[i] = SealText(plain[i], kAlgorithmBlowfish, to);
    lines[n - 2] = protect ? SealText(kProtectMarker, kAlgorithmBlowfish, KeyModeUser)
                           : SealText(kUnprotectMarker, kAlgorithmBlowfish, KeyModeCommon);
    lines[n - 1] = CardCheckLine(lines, n - 1);
    WriteTextLines(cardPath, lines, kEncodingUtf16LittleEndian, files_);
    // A later save of the record must not undo the new protection.
    if (holds(cardPath)) protectionMarker = protect ? kProtectMarker : kUnprotectMarker;
    return CardWriteResult::Written;
}

}  // namespace tarnwick
