// The three card lists the browser toolbar reads: the current user's passcards
// in folder-walk order, the identity cards in ordinal order, and each
// passcard's match key (its first line, unsealed with the common key).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cards/card_extensions.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnwick {

struct CardLists {
    std::vector<std::u16string> passcards;   // "\Shopping\Store"
    std::vector<std::u16string> identities;  // sorted
    std::vector<std::u16string> matchKeys;   // matchKeys[i] belongs to passcards[i]
};

// Whether a file name ends exactly (case-sensitively) in the extension.
bool HasCardExtension(std::u16string_view name, std::u16string_view extension);

// The card check: no empty line, and the last line is the check text of all
// the others joined without separators.
bool PassesCardCheck(const std::vector<std::u16string>& lines, const CodePage& codePage);

// Keeps what the lists were last built from: per card file its size, write
// time, whether it passed the check and its match key. A rebuild lists every
// folder again but reads only the cards that are new or whose size or write
// time changed, so changes made by any program are seen; the lists come out
// exactly as a fresh builder would make them. Nothing outlives the builder.
class CardListBuilder {
public:
    CardListBuilder(FileSystem& files, const CodePage& codePage);

    // Passcards below the user folder at any depth, in folder-walk order, with
    // their match keys. Cards whose relative path does not fit a slot, and
    // cards beyond the block's 1,000 slots, are left out.
    void buildPasscards(std::u16string_view userFolder, std::vector<std::u16string>& passcards,
                        std::vector<std::u16string>& matchKeys);
    // Identity cards, sorted by UTF-16 code units, at most 1,000.
    std::vector<std::u16string> buildIdentities(std::u16string_view userFolder);
    // Both, in one walk.
    CardLists buildAll(std::u16string_view userFolder);

    // Card files read (not taken from what was kept) since the builder was made.
    std::size_t cardsRead() const { return cardsRead_; }

private:
    struct Card {
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
        std::uint64_t seen = 0;  // the walk that last met the file
        bool passes = false;
        bool passcard = false;
        std::u16string matchKey;  // passcards that pass only
    };
    struct Walk {
        std::size_t rootLength = 0;
        bool passcards = false;
        bool identities = false;
        std::vector<std::u16string> passcardPaths;
        std::vector<const Card*> passcardCards;
        std::vector<std::u16string> identityPaths;
        std::size_t seen[2] = {};  // kept cards met, identities [0] and passcards [1]
    };

    void walkUser(std::u16string_view userFolder, Walk& walk);
    void walkFolder(const std::u16string& folder, Walk& walk);
    // The card at `path` as it is now: kept, or read when new or changed.
    // Null when it cannot be read (nothing is kept then: it is tried again).
    const Card* examine(const std::u16string& path, const FolderEntry& entry, bool passcard);
    static void takePasscards(Walk& walk, std::vector<std::u16string>& passcards,
                              std::vector<std::u16string>& matchKeys);
    static std::vector<std::u16string> takeIdentities(Walk& walk);

    FileSystem& files_;
    const CodePage& codePage_;
    std::unordered_map<std::u16string, Card> cards_;  // by full path
    std::size_t kept_[2] = {};                        // cards_ of each kind, identities [0] and passcards [1]
    std::uint64_t walks_ = 0;
    std::size_t cardsRead_ = 0;
};

}  // namespace tarnwick
