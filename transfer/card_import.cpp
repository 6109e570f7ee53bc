#include "transfer/card_import.h"

#include <algorithm>

#include "cardtree/name_rule.h"
#include "cards/card_extensions.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_layout.h"
#include "cards/passcard_record.h"
#include "foundation/sealable_text.h"
#include "foundation/text_file.h"
#include "foundation/windows_path.h"
#include "platform/utf8.h"
#include "transfer/quiet_prompts.h"

namespace tarnwick::transfer {
namespace {

// Room kept for " (9999)" when a long name is shortened.
constexpr std::size_t kNumberRoom = 7;

bool isRefused(char16_t c) {
    return c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
}

std::u16string numbered(const std::u16string& base, std::size_t n) {
    const std::string digits = std::to_string(n);
    return base + u" (" + std::u16string(digits.begin(), digits.end()) + u")";
}

// Cuts `text` to at most `size` units without splitting a surrogate pair.
void cut(std::u16string& text, std::size_t size) {
    if (text.size() <= size) return;
    text.resize(size);
    if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
}

// Every value the card writers would seal, checked before anything is written.
void requireSealable(const TransferCard& card) {
    if (card.identity) {
        for (const auto& [tag, value] : card.tags) RequireSealable(tag, value);
        for (const CustomField& field : card.custom) {
            RequireSealable(field.name, field.name);
            RequireSealable(field.name, field.value);
        }
        return;
    }
    RequireSealable(kPasscardMatchKeyLabel, card.matchKey);
    RequireSealable(kPasscardAddressLabel, card.url);
    for (std::size_t i = 0; i < card.fields.size(); ++i) {
        const TransferField& field = card.fields[i];
        RequireSealable(PasscardFieldLabel(i, {}), field.name);
        RequireSealable(PasscardFieldLabel(i, field.name), field.type);
        RequireSealable(PasscardFieldLabel(i, field.name), field.value);
    }
}

// Tags a card does not hold read back empty.
bool sameTags(const std::map<std::u16string, std::u16string>& a, const std::map<std::u16string, std::u16string>& b) {
    const auto holds = [](const std::map<std::u16string, std::u16string>& all,
                          const std::map<std::u16string, std::u16string>& other) {
        for (const auto& [tag, value] : all) {
            const auto found = other.find(tag);
            if (value != (found == other.end() ? std::u16string() : found->second)) return false;
        }
        return true;
    };
    return holds(a, b) && holds(b, a);
}

bool isNumberedName(std::u16string_view name, std::u16string_view base) {
    if (name == base) return true;
    if (name.size() < base.size() + 4 || name.substr(0, base.size()) != base) return false;
    const std::u16string_view rest = name.substr(base.size());
    if (rest.substr(0, 2) != u" (" || rest.back() != u')') return false;
    const std::u16string_view digits = rest.substr(2, rest.size() - 3);
    return !digits.empty() &&
           std::all_of(digits.begin(), digits.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

std::u16string AcceptableName(std::u16string_view name, std::u16string_view extension) {
    if (std::optional<std::u16string> accepted = ApplyNameRule(name, extension)) return *accepted;
    std::u16string mapped(name);
    std::replace_if(mapped.begin(), mapped.end(), isRefused, u'_');
    mapped.erase(
        0, mapped.find_first_not_of(u' ') == std::u16string::npos ? mapped.size() : mapped.find_first_not_of(u' '));
    cut(mapped, kMaxComponentChars - extension.size() - kNumberRoom);
    while (!mapped.empty() && (mapped.back() == u'.' || mapped.back() == u' ')) mapped.pop_back();
    if (mapped.empty()) mapped = u"Unnamed";
    if (ApplyNameRule(mapped, extension)) return mapped;
    mapped.insert(0, u"_");  // a device name
    if (ApplyNameRule(mapped, extension)) return mapped;
    return u"Unnamed";
}

CardImporter::CardImporter(std::u16string userFolder, FileSystem& files, PasswordGate& gate, bool withPassword)
    : userFolder_(std::move(userFolder)),
      files_(files),
      gate_(gate),
      withPassword_(withPassword) {
    if (!userFolder_.empty() && userFolder_.back() == u'\\') userFolder_.pop_back();
}

ImportReport CardImporter::run(const std::vector<TransferCard>& cards,
                               const std::function<void(std::size_t, std::size_t)>& progress) {
    ImportReport report;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        importCard(cards[i], report);
        if (progress) progress(i + 1, cards.size());
    }
    return report;
}

bool CardImporter::makeFolders(const std::vector<std::u16string>& parts, std::u16string& path,
                               std::vector<std::u16string>& mappedParts, std::string& why) {
    path = userFolder_;
    for (const std::u16string& part : parts) {
        const std::u16string mapped = AcceptableName(part);
        mappedParts.push_back(mapped);
        path += u'\\' + mapped;
        if (mapped != part) {
            std::vector<std::u16string> before(mappedParts.begin(), mappedParts.end() - 1);
            const std::string mapping =
                "folder " + CardLabel(before, part) + " -> " + CardLabel(before, mapped) + " (name rule)";
            if (std::find(folderMappings_.begin(), folderMappings_.end(), mapping) == folderMappings_.end()) {
                folderMappings_.push_back(mapping);
            }
        }
        if (!FitsPathBuffer(path + u"\\*.*")) {
            why = "the folder's path is too long";
            return false;
        }
        FolderEntry entry;
        if (files_.queryEntry(path, entry) == kErrorSuccess) {
            if (entry.isFolder) continue;
            why = "a file has the name of its folder";
            return false;
        }
        if (const std::uint32_t error = files_.createFolder(path); error != kErrorSuccess) {
            why = "its folder could not be made (error " + std::to_string(error) + ")";
            return false;
        }
    }
    return true;
}

bool CardImporter::sameContent(const std::u16string& path, const TransferCard& card) {
    QuietPrompts prompts;
    try {
        if (card.identity) {
            IdentityRecord record(gate_, prompts, files_);
            bool isProtected = false;
            if (!record.readProtection(path, isProtected) || isProtected != card.isProtected) return false;
            if (isProtected && !withPassword_) return false;
            if (record.load(path) != kCardLoaded) return false;
            return sameTags(record.fields, card.tags) && record.customFields == card.custom;
        }
        PasscardRecord record(gate_, prompts, files_);
        bool isProtected = false;
        if (!record.readProtection(path, isProtected) || isProtected != card.isProtected) return false;
        if (isProtected && !withPassword_) return false;
        if (record.load(path) != kCardLoaded) return false;
        if (record.matchKey != card.matchKey || record.url != card.url ||
            (record.defaultMarker == kDefaultMarker) != card.isDefault ||
            record.fieldNames.size() != card.fields.size()) {
            return false;
        }
        for (std::size_t i = 0; i < card.fields.size(); ++i) {
            if (TransferField{record.fieldNames[i], record.fieldTypes[i], record.fieldValues[i]} != card.fields[i]) {
                return false;
            }
        }
        return true;
    } catch (const CTextFileException&) {
        return false;
    }
}

std::vector<std::u16string>& CardImporter::namesIn(const std::u16string& folder) {
    const auto [place, added] = listed_.try_emplace(folder);
    if (added) {
        std::vector<FolderEntry> entries;
        files_.listFolder(folder, entries);
        for (const FolderEntry& entry : entries) {
            if (!entry.isFolder) place->second.push_back(entry.name);
        }
    }
    return place->second;
}

void CardImporter::write(const std::u16string& path, const TransferCard& card) {
    QuietPrompts prompts;
    CardWriteResult result;
    if (card.identity) {
        IdentityRecord record(gate_, prompts, files_);
        record.fields = card.tags;
        record.customFields = card.custom;
        result = record.save(path, !card.isProtected);
    } else {
        PasscardRecord record(gate_, prompts, files_);
        record.matchKey = card.matchKey;
        record.url = card.url;
        for (const TransferField& field : card.fields) {
            record.fieldNames.push_back(field.name);
            record.fieldTypes.push_back(field.type);
            record.fieldValues.push_back(field.value);
        }
        record.defaultMarker = card.isDefault ? kDefaultMarker : kUndefaultMarker;
        record.protectionMarker = card.isProtected ? kProtectMarker : kUnprotectMarker;
        result = record.createCard(path);
    }
    if (result != CardWriteResult::Written) throw std::runtime_error("the card could not be sealed");
}

void CardImporter::importCard(const TransferCard& card, ImportReport& report) {
    const std::string label = CardLabel(card.folder, card.name);
    const auto skip = [&](const std::string& why) { report.skipped.push_back(label + ": " + why); };
    if (card.isProtected && !withPassword_) return skip("protected: it needs the primary password");
    try {
        requireSealable(card);
    } catch (const UnsealableTextError& e) {
        return skip(e.what());
    }
    const std::u16string_view extension = card.identity ? kIdentityCardExtension : kPasscardExtension;
    const std::u16string base = AcceptableName(card.name, extension);

    const std::size_t mappingsBefore = folderMappings_.size();
    std::u16string folder;
    std::vector<std::u16string> parts;
    std::string why;
    if (!makeFolders(card.folder, folder, parts, why)) return skip(why);
    for (std::size_t i = mappingsBefore; i < folderMappings_.size(); ++i) report.renamed.push_back(folderMappings_[i]);

    // The card's own name and its numbered names already in the folder.
    std::vector<std::u16string>& names = namesIn(folder);
    for (const std::u16string& fileName : names) {
        if (!fileName.ends_with(extension)) continue;
        const std::u16string stem = fileName.substr(0, fileName.size() - extension.size());
        if (isNumberedName(stem, base) && sameContent(folder + u'\\' + fileName, card)) {
            report.present.push_back(CardLabel(parts, stem));
            return;
        }
    }
    std::u16string name = base;
    for (std::size_t n = 2;; ++n) {
        FolderEntry entry;
        const std::u16string path = folder + u'\\' + name + std::u16string(extension);
        if (!FitsPathBuffer(path)) return skip("the card's path is too long");
        if (files_.queryEntry(path, entry) != kErrorSuccess) break;
        std::u16string shorter = base;
        cut(shorter, kMaxComponentChars - extension.size() - kNumberRoom);
        name = numbered(shorter, n);
    }
    try {
        write(folder + u'\\' + name + std::u16string(extension), card);
    } catch (const std::exception& e) {  // unsealable text, or the file system's refusal
        return skip(e.what());
    }
    names.push_back(name + std::u16string(extension));
    if (name != card.name) {
        const bool ruled = base != card.name;
        report.renamed.push_back(label + " -> " + CardLabel(parts, name) +
                                 (ruled && name == base ? " (name rule)"
                                  : ruled               ? " (name rule; name taken)"
                                                        : " (name taken)"));
    }
    report.made.push_back(CardLabel(parts, name));
}

}  // namespace tarnwick::transfer
