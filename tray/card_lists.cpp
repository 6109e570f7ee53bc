#include "tray/card_lists.h"

#include <algorithm>

#include "cards/card_file.h"
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
    for (const std::u16string& line : lines) {
        if (line.empty()) return false;
    }
    // The digest streams the lines without joining them (cards/card_file.h).
    return CardCheckLine(lines, lines.size() - 1, codePage) == lines.back();
}

CardListBuilder::CardListBuilder(FileSystem& files, const CodePage& codePage) : files_(files), codePage_(codePage) {}

const CardListBuilder::Card* CardListBuilder::examine(const std::u16string& path, const FolderEntry& entry,
                                                      bool passcard) {
    const auto [place, added] = cards_.try_emplace(path);
    Card& card = place->second;
    card.seen = walks_;
    if (!added && card.size == entry.size && card.writeTime == entry.writeTime) return &card;
    ++cardsRead_;
    std::vector<std::u16string> lines;
    try {
        lines = ReadTextLines(path, files_, codePage_);
    } catch (const CTextFileException&) {
        lines.clear();
    }
    if (lines.empty()) {
        // Unreadable (or empty): left out like a damaged card, and read again
        // next time, since a sharing violation passes.
        if (!added) --kept_[card.passcard];
        cards_.erase(place);
        return nullptr;
    }
    if (added) ++kept_[passcard];
    card.passcard = passcard;
    card.passes = PassesCardCheck(lines, codePage_);
    card.matchKey.clear();
    if (passcard && card.passes) {
        card.matchKey = UnsealText(lines.front(), kAlgorithmBlowfish, KeyModeCommon, codePage_);
        if (card.matchKey.size() > kMaxSlotText) card.matchKey.resize(kMaxSlotText);
    }
    // Last: only a card read to the end counts as known.
    card.size = entry.size;
    card.writeTime = entry.writeTime;
    return &card;
}

void CardListBuilder::walkFolder(const std::u16string& folder, Walk& walk) {
    std::vector<FolderEntry> entries;
    if (files_.listFolder(folder, entries) != kErrorSuccess) return;
    for (const FolderEntry& entry : entries) {
        const std::u16string path = folder + u'\\' + entry.name;
        if (entry.isFolder) {
            walkFolder(path, walk);
            continue;
        }
        const bool passcard = walk.passcards && HasCardExtension(entry.name, kPasscardExtension);
        if (!passcard && !(walk.identities && HasCardExtension(entry.name, kIdentityCardExtension))) continue;
        const std::size_t relativeEnd = path.size() - (passcard ? kPasscardExtension : kIdentityCardExtension).size();
        if (relativeEnd - walk.rootLength > kMaxSlotText) continue;  // would not fit its slot
        const Card* card = examine(path, entry, passcard);
        if (!card) continue;
        ++walk.seen[passcard];
        if (!card->passes) continue;
        // Passcards beyond the block's slots are checked (the walk must see
        // every change) but not listed.
        if (passcard && walk.passcardPaths.size() == file_mapping::kSlotsPerBlock) continue;
        std::u16string relative = path.substr(walk.rootLength, relativeEnd - walk.rootLength);
        if (passcard) {
            walk.passcardPaths.push_back(std::move(relative));
            walk.passcardCards.push_back(card);
        } else {
            walk.identityPaths.push_back(std::move(relative));
        }
    }
}

void CardListBuilder::walkUser(std::u16string_view userFolder, Walk& walk) {
    ++walks_;
    // No user: nothing to walk (an empty folder would mean the drive's root).
    if (!userFolder.empty()) {
        std::u16string root(userFolder);
        if (root.back() == u'\\') root.pop_back();
        walk.rootLength = root.size();
        walkFolder(root, walk);
    }
    // Forget the cards of the walked kinds that are gone: none when every card
    // kept was met again.
    if ((!walk.passcards || walk.seen[1] == kept_[1]) && (!walk.identities || walk.seen[0] == kept_[0])) return;
    std::erase_if(cards_, [&](const auto& item) {
        const Card& card = item.second;
        const bool gone = card.seen != walks_ && (card.passcard ? walk.passcards : walk.identities);
        if (gone) --kept_[card.passcard];
        return gone;
    });
}

void CardListBuilder::takePasscards(Walk& walk, std::vector<std::u16string>& passcards,
                                    std::vector<std::u16string>& matchKeys) {
    const std::size_t count = std::min(walk.passcardPaths.size(), file_mapping::kSlotsPerBlock);
    walk.passcardPaths.resize(count);
    passcards = std::move(walk.passcardPaths);
    matchKeys.clear();
    matchKeys.reserve(count);
    for (std::size_t i = 0; i < count; ++i) matchKeys.push_back(walk.passcardCards[i]->matchKey);
}

std::vector<std::u16string> CardListBuilder::takeIdentities(Walk& walk) {
    std::vector<std::u16string> identities = std::move(walk.identityPaths);
    // std::u16string compares by code unit: the ordinal order.
    std::stable_sort(identities.begin(), identities.end());
    if (identities.size() > file_mapping::kSlotsPerBlock) identities.resize(file_mapping::kSlotsPerBlock);
    return identities;
}

void CardListBuilder::buildPasscards(std::u16string_view userFolder, std::vector<std::u16string>& passcards,
                                     std::vector<std::u16string>& matchKeys) {
    Walk walk;
    walk.passcards = true;
    walkUser(userFolder, walk);
    takePasscards(walk, passcards, matchKeys);
}

std::vector<std::u16string> CardListBuilder::buildIdentities(std::u16string_view userFolder) {
    Walk walk;
    walk.identities = true;
    walkUser(userFolder, walk);
    return takeIdentities(walk);
}

CardLists CardListBuilder::buildAll(std::u16string_view userFolder) {
    Walk walk;
    walk.passcards = true;
    walk.identities = true;
    walkUser(userFolder, walk);
    CardLists lists;
    takePasscards(walk, lists.passcards, lists.matchKeys);
    lists.identities = takeIdentities(walk);
    return lists;
}

}  // namespace tarnwick
