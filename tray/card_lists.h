// The three card lists the browser toolbar reads: the current user's passcards
// in folder-walk order, the identity cards in ordinal order, and each
// passcard's match key (its first line, unsealed with the common key).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
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
        std::u16string name;  // in its folder
        std::uint64_t size = 0;
        std::uint64_t writeTime = 0;
        bool passes = false;
        bool passcard = false;
        std::u16string matchKey;  // passcards that pass only
    };
    // The cards of one folder in the order of its last walk, held together:
    // the next walk meets most of them in that order again, each right after
    // the last one, without a look-up of its path.
    struct Folder {
        std::vector<Card> cards;
        std::uint64_t seen = 0;  // the walk that last listed the folder
    };
    struct Walk {
        std::size_t rootLength = 0;
        bool passcards = false;
        bool identities = false;
        std::vector<std::u16string> passcardPaths;
        std::vector<std::u16string> passcardKeys;  // matchKeys, one for each of passcardPaths
        std::vector<std::u16string> identityPaths;
        std::size_t folders = 0;  // folders listed
        std::u16string path;      // the file being looked at
        // Per depth of the folder being walked, what it notes of its cards:
        // kept from folder to folder, so that their buffers are reused. A
        // deque, as a deeper folder adds to it while the ones above use theirs.
        struct Scratch {
            std::vector<char> met;
            std::vector<std::size_t> order;
        };
        std::deque<Scratch> scratch;
        std::size_t depth = 0;
    };

    void walkUser(std::u16string_view userFolder, Walk& walk);
    void walkFolder(const std::u16string& folder, Walk& walk);
    // Brings `card` up to date with the file at `path`: kept when `known` and
    // neither size nor write time changed, else read. False when it cannot be
    // read (nothing is kept then: it is tried again).
    bool examine(const std::u16string& path, const FolderEntry& entry, bool passcard, bool known, Card& card);
    static void takePasscards(Walk& walk, std::vector<std::u16string>& passcards,
                              std::vector<std::u16string>& matchKeys);
    static std::vector<std::u16string> takeIdentities(Walk& walk);

    FileSystem& files_;
    const CodePage& codePage_;
    std::unordered_map<std::u16string, Folder> folders_;  // by full path
    std::uint64_t walks_ = 0;
    std::size_t cardsRead_ = 0;
};

}  // namespace tarnwick
