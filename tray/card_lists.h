// The three card lists the browser toolbar reads: the current user's passcards
// in folder-walk order, the identity cards in ordinal order, and each
// passcard's match key (its first line, unsealed with the common key).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
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
    CardLists buildAll(std::u16string_view userFolder);

private:
    struct Found {
        std::u16string relative;
        std::vector<std::u16string> lines;
    };
    // Collects every checked card with the extension below `folder`.
    void walk(const std::u16string& folder, std::size_t rootLength, std::u16string_view extension,
              std::vector<Found>& found);

    FileSystem& files_;
    const CodePage& codePage_;
};

}  // namespace tarnwick
