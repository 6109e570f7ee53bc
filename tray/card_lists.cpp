#include "tray/card_lists.h"

#include <algorithm>

#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

constexpr std::size_t kMaxSlotText = file_mapping::kSlotChars - 1;

}  // namespace

bool HasCardExtension(std::u16string_view name, std::u16string_view extension) {
    // The dot belongs to the test: "Storevrc" names no card, and stripping its
    // "extension" would list a card that does not exist.
    return name.size() > extension.size() && name.ends_with(extension);
}

bool PassesCardCheck(const std::vector<std::u16string>& lines, const CodePage& codePage) {
    if (lines.empty()) return false;
    std::u16string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty()) return false;
        if (i + 1 < lines.size()) joined += lines[i];
    }
    return MakeCheckText(joined, codePage) == lines.back();
}

CardListBuilder::CardListBuilder(FileSystem& files, const CodePage& codePage) : files_(files), codePage_(codePage) {}

void CardListBuilder::walk(const std::u16string& folder, std::size_t rootLength, std::u16string_view extension,
                           std::vector<Found>& found) {
    std::vector<FolderEntry> entries;
    if (files_.listFolder(folder, entries) != kErrorSuccess) return;
    for (const FolderEntry& entry : entries) {
        const std::u16string path = folder + u'\\' + entry.name;
        if (entry.isFolder) {
            walk(path, rootLength, extension, found);
            continue;
        }
        if (!HasCardExtension(entry.name, extension)) continue;
        std::u16string relative = path.substr(rootLength, path.size() - rootLength - extension.size());
        if (relative.size() > kMaxSlotText) continue;  // would not fit its slot
        std::vector<std::u16string> lines;
        try {
            lines = ReadTextLines(path, files_, codePage_);
        } catch (const CTextFileException&) {
            continue;  // unreadable: left out like a damaged card
        }
        if (!PassesCardCheck(lines, codePage_)) continue;
        found.push_back({std::move(relative), std::move(lines)});
    }
}

void CardListBuilder::buildPasscards(std::u16string_view userFolder, std::vector<std::u16string>& passcards,
                                     std::vector<std::u16string>& matchKeys) {
    passcards.clear();
    matchKeys.clear();
    // No user: nothing to walk (an empty folder would mean the drive's root).
    if (userFolder.empty()) return;
    std::u16string root(userFolder);
    if (root.back() == u'\\') root.pop_back();
    std::vector<Found> found;
    walk(root, root.size(), kPasscardExtension, found);
    if (found.size() > file_mapping::kSlotsPerBlock) found.resize(file_mapping::kSlotsPerBlock);
    for (Found& card : found) {
        std::u16string key = UnsealText(card.lines.front(), kAlgorithmBlowfish, KeyModeCommon, codePage_);
        if (key.size() > kMaxSlotText) key.resize(kMaxSlotText);
        passcards.push_back(std::move(card.relative));
        matchKeys.push_back(std::move(key));
    }
}

std::vector<std::u16string> CardListBuilder::buildIdentities(std::u16string_view userFolder) {
    std::vector<std::u16string> identities;
    if (userFolder.empty()) return identities;
    std::u16string root(userFolder);
    if (root.back() == u'\\') root.pop_back();
    std::vector<Found> found;
    walk(root, root.size(), kIdentityCardExtension, found);
    for (Found& card : found) identities.push_back(std::move(card.relative));
    // std::u16string compares by code unit: the ordinal order.
    std::stable_sort(identities.begin(), identities.end());
    if (identities.size() > file_mapping::kSlotsPerBlock) {
        identities.resize(file_mapping::kSlotsPerBlock);
    }
    return identities;
}

CardLists CardListBuilder::buildAll(std::u16string_view userFolder) {
    CardLists lists;
    buildPasscards(userFolder, lists.passcards, lists.matchKeys);
    lists.identities = buildIdentities(userFolder);
    return lists;
}

}  // namespace tarnwick
