#include "cards/identity_record.h"

#include <cstddef>

#include "foundation/catalogue/catalogue_keys.h"
#include "cards/card_marker.h"
#include "foundation/message_box.h"
#include "foundation/secret_text.h"
#include "foundation/sealable_text.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "cards/identity_tags.h"

namespace tarnwick {
namespace {

inline constexpr std::size_t kNewCardCustomPairs = 3;

int keyModeOf(bool isProtected) { return isProtected ? KeyModeUser : KeyModeCommon; }

// How a refusal names a custom pair that has no usable name of its own.
std::u16string customLabel(std::size_t index) {
    const std::string number = std::to_string(index + 1);
    return u"custom field " + std::u16string(number.begin(), number.end());
}

}  // namespace

IdentityRecord::IdentityRecord(PasswordGate& gate, Prompts& prompts, FileSystem& files,
                               const MessageCatalogue& catalogue)
    : gate_(gate),
      prompts_(prompts),
      files_(files),
      catalogue_(catalogue) {}

IdentityRecord::~IdentityRecord() { wipeValues(); }

void IdentityRecord::wipeValues() {
    for (auto& [tag, value] : fields) WipeText(value);
    fields.clear();
    clearCustomFields();
}

void IdentityRecord::clearCustomFields() {
    for (CustomField& field : customFields) {
        WipeText(field.name);
        WipeText(field.value);
    }
    customFields.clear();
}

void IdentityRecord::resetToNewCard(std::u16string_view cardName) {
    wipeValues();
    for (std::u16string_view tag : kIdentityTags) fields[std::u16string(tag)] = u"";
    fields[std::u16string(kNameTag)] = std::u16string(1, kNameSeparator) + std::u16string(cardName);
    customFields.resize(kNewCardCustomPairs);
}

CardWriteResult IdentityRecord::createNewCard(const std::u16string& path, std::u16string_view cardName,
                                              bool unprotected) {
    resetToNewCard(cardName);
    return save(path, unprotected);
}

void IdentityRecord::requireSealable() const {
    for (const auto& [tag, value] : fields) {
        RequireSealable(tag, tag);
        RequireSealable(tag, value);
    }
    for (std::size_t i = 0; i < customFields.size(); ++i) {
        const CustomField& field = customFields[i];
        RequireSealable(customLabel(i), field.name);
        RequireSealable(field.name.empty() ? customLabel(i) : field.name, field.value);
    }
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
    // Before anything else: text sealing would change is refused, nothing written.
    requireSealable();
    if (isProtected && !gate_.EnsurePrimaryPassword(prompts_.activeWindow())) {
        return CardWriteResult::NoPassword;
    }
    std::vector<std::u16string> plain = plainLines(isProtected);
    const WipeOnExit wipePlain(plain);
    std::vector<std::u16string> lines;
    lines.reserve(plain.size() + 1);
    for (const std::u16string& line : plain)
        lines.push_back(SealText(line, kAlgorithmBlowfish, keyModeOf(isProtected)));
    lines.push_back(CardCheckLine(lines, lines.size()));
    WriteTextLines(path, lines, kEncodingUtf16LittleEndian, files_);
    return CardWriteResult::Written;
}

CardWriteResult IdentityRecord::saveCard(const std::u16string& path) {
    bool isProtected = loadedProtected_;
    try {
        if (!readProtection(path, isProtected)) isProtected = loadedProtected_;
    } catch (const CTextFileException&) {
        isProtected = loadedProtected_;
    }
    return save(path, !isProtected);
}

bool IdentityRecord::readProtection(const std::u16string& path, bool& isProtected) const {
    const std::vector<std::u16string> lines = ReadCardLines(path, files_);
    if (!CardCheckLineMatches(lines)) return false;
    isProtected = IsCardProtected(lines[lines.size() - 2]);
    return true;
}

bool IdentityRecord::checkOwner(const std::u16string& path) const {
    const std::vector<std::u16string> lines = ReadCardLines(path, files_);
    return lines.size() >= 2 && CardBelongsToCurrentUser(lines[lines.size() - 2]);
}

CardWriteResult IdentityRecord::setProtection(const std::u16string& path, bool protect) {
    std::vector<std::u16string> lines = ReadCardLines(path, files_);
    if (!CardCheckLineMatches(lines)) return CardWriteResult::Damaged;
    const std::size_t marker = lines.size() - 2;
    const bool isProtected = IsCardProtected(lines[marker]);
    if (!gate_.EnsurePrimaryPassword(prompts_.activeWindow())) return CardWriteResult::NoPassword;
    if (isProtected == protect) return CardWriteResult::Written;
    // Unsealing another user's lines with this user's key would turn them to garbage.
    if (isProtected && !CardBelongsToCurrentUser(lines[marker])) return CardWriteResult::NotOwner;
    for (std::size_t i = 0; i < marker; ++i) {
        const SecretText plain(UnsealText(lines[i], kAlgorithmBlowfish, keyModeOf(isProtected)));
        lines[i] = SealText(plain.view(), kAlgorithmBlowfish, keyModeOf(protect));
    }
    lines[marker] = SealText(protect ? kProtectMarker : kUnprotectMarker, kAlgorithmBlowfish, keyModeOf(protect));
    lines.back() = CardCheckLine(lines, lines.size() - 1);
    WriteTextLines(path, lines, kEncodingUtf16LittleEndian, files_);
    return CardWriteResult::Written;
}

int IdentityRecord::load(const std::u16string& path) {
    // One read: the lines whose check line, protection and owner are checked
    // are the lines that are loaded, even if the file changes meanwhile.
    std::vector<std::u16string> lines = ReadCardLines(path, files_);
    if (!CardCheckLineMatches(lines)) return kCardDamaged;
    const std::u16string& marker = lines[lines.size() - 2];
    const bool isProtected = IsCardProtected(marker);
    if (isProtected) {
        if (!gate_.EnsurePrimaryPassword(prompts_.activeWindow())) return kCardNotLoaded;
        if (!CardBelongsToCurrentUser(marker)) {
            ShowMessage(prompts_, prompts_.activeWindow(), kErrorBox, catalogue_key::kIdentityNotOwner, catalogue_);
            return kCardNotLoaded;
        }
    }
    // The sealed lines become plain ones; the record keeps its own copies.
    const WipeOnExit wipeLines(lines);
    for (std::u16string& line : lines) line = UnsealText(line, kAlgorithmBlowfish, keyModeOf(isProtected));
    fillFrom(lines);
    loadedProtected_ = isProtected;
    return kCardLoaded;
}

void IdentityRecord::fillFrom(const std::vector<std::u16string>& unsealed) {
    wipeValues();
    // The tag lines stand where a saved card puts them: a tag, its value, the
    // next tag, up to "[CUSTOM]". A value is never read as a tag, so values
    // such as "[NAME]" or "[CUSTOM]" come back as they were saved. A line that
    // is no tag where a tag belongs (a file written elsewhere) is passed over
    // alone, so the tags after it are still found; the first of two equal tags
    // counts. The marker and the check line are no part of the pairs.
    const std::size_t body = unsealed.size() >= 2 ? unsealed.size() - 2 : 0;
    std::size_t position = 0;
    while (position < body && unsealed[position] != kCustomTag) {
        if (!IsIdentityTag(unsealed[position]) || position + 1 >= body) {
            ++position;
            continue;
        }
        fields.try_emplace(unsealed[position], unsealed[position + 1]);
        position += 2;
    }
    // Pairs follow "[CUSTOM]" while three lines remain: the marker and the
    // check line are left over.
    while (position < unsealed.size() && unsealed.size() - 1 - position >= 3) {
        customFields.push_back({unsealed[position + 1], unsealed[position + 2]});
        position += 2;
    }
}

}  // namespace tarnwick
