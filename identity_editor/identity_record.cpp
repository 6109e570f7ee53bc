#include "identity_editor/identity_record.h"

#include <cstddef>

#include "foundation/card_marker.h"
#include "foundation/message_box.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "identity_editor/identity_tags.h"

namespace tarnwick {
namespace {

inline constexpr std::u16string_view kNotOwnerKey = u"这个身份卡片不是当前用户的身份卡片";
inline constexpr std::size_t kNewCardCustomPairs = 3;

int keyModeOf(bool isProtected) { return isProtected ? KeyModeUser : KeyModeCommon; }

}  // namespace

IdentityRecord::IdentityRecord(PasswordGate& gate, Prompts& prompts, FileSystem& files,
                               const MessageCatalogue& catalogue)
    : gate_(gate), prompts_(prompts), files_(files), catalogue_(catalogue) {}

void IdentityRecord::resetToNewCard(std::u16string_view cardName) {
    fields.clear();
    customFields.clear();
    for (std::u16string_view tag : kIdentityTags) fields[std::u16string(tag)] = u"";
    fields[std::u16string(kNameTag)] = std::u16string(1, kNameSeparator) + std::u16string(cardName);
    customFields.resize(kNewCardCustomPairs);
}

CardWriteResult IdentityRecord::createNewCard(const std::u16string& path, std::u16string_view cardName,
                                              bool unprotected) {
    resetToNewCard(cardName);
    return save(path, unprotected);
}

std::vector<std::u16string> IdentityRecord::plainLines(bool isProtected) const {
    std::vector<std::u16string> lines;
    lines.reserve(fields.size() * 2 + customFields.size() * 2 + 2);
    for (const auto& [tag, value] : fields) {
        lines.push_back(tag);
        lines.push_back(value);
    }
    lines.emplace_back(kCustomTag);
    for (const CustomField& field : customFields) {
        lines.push_back(field.name);
        lines.push_back(field.value);
    }
    lines.emplace_back(isProtected ? kProtectMarker : kUnprotectMarker);
    return lines;
}

CardWriteResult IdentityRecord::save(const std::u16string& path, bool unprotected) {
    const bool isProtected = !unprotected;
    if (isProtected && !gate_.EnsurePrimaryPassword(prompts_.activeWindow())) {
        return CardWriteResult::NoPassword;
    }
    std::vector<std::u16string> lines = plainLines(isProtected);
    for (std::u16string& line : lines) line = SealText(line, kAlgorithmBlowfish, keyModeOf(isProtected));
    lines.push_back(CardCheckLine(lines, lines.size()));
    WriteTextLines(path, lines, kEncodingUtf16LittleEndian, files_);
    return CardWriteResult::Written;
}

bool IdentityRecord::readProtection(const std::u16string& path, bool& isProtected) const {
    const std::vector<std::u16string> lines = ReadTextLines(path, files_);
    if (!CardCheckLineMatches(lines)) return false;
    isProtected = IsCardProtected(lines[lines.size() - 2]);
    return true;
}

bool IdentityRecord::checkOwner(const std::u16string& path) const {
    const std::vector<std::u16string> lines = ReadTextLines(path, files_);
    return lines.size() >= 2 && CardBelongsToCurrentUser(lines[lines.size() - 2]);
}

int IdentityRecord::load(const std::u16string& path) {
    // One read: the lines whose check line, protection and owner are checked
    // are the lines that are loaded, even if the file changes meanwhile.
    std::vector<std::u16string> lines = ReadTextLines(path, files_);
    if (!CardCheckLineMatches(lines)) return kCardDamaged;
    const std::u16string& marker = lines[lines.size() - 2];
    const bool isProtected = IsCardProtected(marker);
    if (isProtected) {
        if (!gate_.EnsurePrimaryPassword(prompts_.activeWindow())) return kCardNotLoaded;
        if (!CardBelongsToCurrentUser(marker)) {
            ShowMessage(prompts_, prompts_.activeWindow(), kErrorBox, kNotOwnerKey, catalogue_);
            return kCardNotLoaded;
        }
    }
    for (std::u16string& line : lines) line = UnsealText(line, kAlgorithmBlowfish, keyModeOf(isProtected));
    fillFrom(lines);
    return kCardLoaded;
}

void IdentityRecord::fillFrom(const std::vector<std::u16string>& unsealed) {
    fields.clear();
    customFields.clear();
    // Each tag takes the line after the first line equal to it, from the top.
    for (std::u16string_view tag : kIdentityTags) {
        for (std::size_t i = 0; i + 1 < unsealed.size(); ++i) {
            if (unsealed[i] != tag) continue;
            fields[std::u16string(tag)] = unsealed[i + 1];
            break;
        }
    }
    // Pairs follow "[CUSTOM]" while three lines remain: the marker and the
    // check line are left over.
    std::size_t position = 0;
    while (position < unsealed.size() && unsealed[position] != kCustomTag) ++position;
    while (position < unsealed.size() && unsealed.size() - 1 - position >= 3) {
        customFields.push_back({unsealed[position + 1], unsealed[position + 2]});
        position += 2;
    }
}

}  // namespace tarnwick
