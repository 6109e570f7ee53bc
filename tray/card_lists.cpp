#include "tray/card_lists.h"

#include <algorithm>
#include <iterator>

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

bool CardListBuilder::examine(const std::u16string& path, const FolderEntry& entry, bool passcard, bool known,
                              Card& card) {
    if (known && card.size == entry.size && card.writeTime == entry.writeTime) return true;
    ++cardsRead_;
    std::vector<std::u16string> lines;
    try {
        lines = ReadTextLines(path, files_, codePage_);
    } catch (const CTextFileException&) {
        lines.clear();
    }
    // Unreadable (or empty): left out like a damaged card, and read again
    // next time, since a sharing violation passes.
    if (lines.empty()) return false;
    card.passcard = passcard;
    card.passes = PassesCardCheck(lines, codePage_);
    card.matchKey.clear();
    if (passcard && card.passes) {
        card.matchKey = UnsealText(lines.front(), kAlgorithmBlowfish, KeyModeCommon, codePage_);
        if (card.matchKey.size() > kMaxSlotText) card.matchKey.resize(kMaxSlotText);
    }
    card.size = entry.size;
    card.writeTime = entry.writeTime;
    return true;
}

void CardListBuilder::walkFolder(const std::u16string& folder, Walk& walk) {
    std::vector<FolderEntry> entries;
    if (files_.listFolder(folder, entries) != kErrorSuccess) return;
    ++walk.folders;
    // Node-based: the reference outlives the insertions of the folders below.
    Folder& kept = folders_[folder];
    kept.seen = walks_;
    // The folder's cards are brought up to date where they are. Those of the
    // walked kinds not met are gone, the others stay; when that or a new card
    // or another order changes the list, it is made again in the order met.
    // The names in `cards` stay untouched until then, as `index` looks at them.
    std::vector<Card>& cards = kept.cards;
    if (walk.depth == walk.scratch.size()) walk.scratch.emplace_back();
    Walk::Scratch& scratch = walk.scratch[walk.depth];
    std::vector<char>& met = scratch.met;
    std::vector<std::size_t>& order = scratch.order;  // into `cards`, or past its end into `added`
    met.assign(cards.size(), 0);
    order.clear();
    std::vector<Card> added;
    std::unordered_map<std::u16string_view, std::size_t> index;  // of `cards` by name, made at the first need
    std::size_t next = 0;
    const auto find = [&](const std::u16string& name) -> std::size_t {
        if (next < cards.size() && cards[next].name == name) return next;
        if (index.empty()) {
            for (std::size_t i = 0; i < cards.size(); ++i) index.emplace(cards[i].name, i);
        }
        const auto found = index.find(name);
        return found == index.end() ? cards.size() : found->second;
    };
    bool dropped = false;
    // The files' paths are made in one buffer, which keeps its capacity from
    // file to file.
    std::u16string& path = walk.path;
    for (const FolderEntry& entry : entries) {
        if (entry.isFolder) {
            ++walk.depth;
            walkFolder(folder + u'\\' + entry.name, walk);
            --walk.depth;
            continue;
        }
        const bool passcard = walk.passcards && HasCardExtension(entry.name, kPasscardExtension);
        if (!passcard && !(walk.identities && HasCardExtension(entry.name, kIdentityCardExtension))) continue;
        path.assign(folder);
        path += u'\\';
        path += entry.name;
        const std::size_t relativeEnd = path.size() - (passcard ? kPasscardExtension : kIdentityCardExtension).size();
        if (relativeEnd - walk.rootLength > kMaxSlotText) continue;  // would not fit its slot
        const std::size_t at = cards.empty() ? 0 : find(entry.name);
        const bool known = at < cards.size();
        if (known) {
            met[at] = 1;
            next = at + 1;
        } else {
            added.emplace_back().name = entry.name;
        }
        Card& card = known ? cards[at] : added.back();
        if (!examine(path, entry, passcard, known, card)) {
            if (known) {
                dropped = true;
            } else {
                added.pop_back();
            }
            continue;
        }
        order.push_back(known ? at : cards.size() + added.size() - 1);
        if (!card.passes) continue;
        // Passcards beyond the block's slots are checked (the walk must see
        // every change) but not listed.
        if (passcard && walk.passcardPaths.size() == file_mapping::kSlotsPerBlock) continue;
        std::u16string relative = path.substr(walk.rootLength, relativeEnd - walk.rootLength);
        if (passcard) {
            walk.passcardPaths.push_back(std::move(relative));
            walk.passcardKeys.push_back(card.matchKey);
        } else {
            walk.identityPaths.push_back(std::move(relative));
        }
    }
    // A folder new to the builder: its cards are those added, in order.
    if (cards.empty()) {
        cards = std::move(added);
        return;
    }
    // The new list: the cards met, in order, then those of the kinds not walked.
    const auto stays = [&](std::size_t i) {
        return !met[i] && !(cards[i].passcard ? walk.passcards : walk.identities);
    };
    std::size_t position = order.size();
    bool same = !dropped && added.empty();
    for (std::size_t i = 0; same && i < order.size(); ++i) same = order[i] == i;
    for (std::size_t i = 0; same && i < cards.size(); ++i) {
        if (!met[i]) same = stays(i) && i == position++;
    }
    if (same) return;
    std::vector<Card> fresh;
    fresh.reserve(order.size() + cards.size());
    for (const std::size_t i : order) fresh.push_back(std::move(i < cards.size() ? cards[i] : added[i - cards.size()]));
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (stays(i)) fresh.push_back(std::move(cards[i]));
    }
    index.clear();  // its names go with the old list
    cards = std::move(fresh);
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
    // Forget the cards of the walked kinds in folders this walk did not list:
    // none when it listed every folder kept.
    if (walk.folders == folders_.size()) return;
    for (auto item = folders_.begin(); item != folders_.end();) {
        std::vector<Card>& cards = item->second.cards;
        if (item->second.seen != walks_) {
            std::erase_if(cards, [&](const Card& card) { return card.passcard ? walk.passcards : walk.identities; });
        }
        item = item->second.seen != walks_ && cards.empty() ? folders_.erase(item) : std::next(item);
    }
}

void CardListBuilder::takePasscards(Walk& walk, std::vector<std::u16string>& passcards,
                                    std::vector<std::u16string>& matchKeys) {
    const std::size_t count = std::min(walk.passcardPaths.size(), file_mapping::kSlotsPerBlock);
    walk.passcardPaths.resize(count);
    walk.passcardKeys.resize(count);
    passcards = std::move(walk.passcardPaths);
    matchKeys = std::move(walk.passcardKeys);
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
