// Writes imported cards into a user's folder. Each card is written whole or
// not at all; an existing card is never replaced (the new one becomes
// "Name (2)", "Name (3)", ...), and a card whose content is already there
// under its name or one of those numbered names is not written again, so that
// running the same import twice adds nothing the second time.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/password_gate.h"
#include "platform/file_system.h"
#include "transfer/transfer_card.h"

namespace tarnwick::transfer {

struct ImportReport {
    std::vector<std::string> made;     // each card written, as "folder/name"
    std::vector<std::string> renamed;  // "from -> to (why)"
    std::vector<std::string> present;  // already in the folder with the same content
    std::vector<std::string> skipped;  // "card: why"
};

// A name the name rule accepts for a folder (no extension) or a card: the
// name itself when the rule takes it as it is, else the refused characters
// replaced by "_", trailing dots and spaces dropped, a device name prefixed
// with "_", an over-long name shortened, an empty one "Unnamed".
std::u16string AcceptableName(std::u16string_view name, std::u16string_view extension = {});

class CardImporter {
public:
    // `withPassword`: the gate holds the user's primary password, so that
    // protected cards can be sealed again; without it they are skipped.
    CardImporter(std::u16string userFolder, FileSystem& files, PasswordGate& gate, bool withPassword);

    // `progress(done, total)` after each card.
    ImportReport run(const std::vector<TransferCard>& cards,
                     const std::function<void(std::size_t, std::size_t)>& progress = {});

private:
    void importCard(const TransferCard& card, ImportReport& report);
    // The card's folder made, its parts mapped by the name rule.
    bool makeFolders(const std::vector<std::u16string>& parts, std::u16string& path,
                     std::vector<std::u16string>& mappedParts, std::string& why);
    bool sameContent(const std::u16string& path, const TransferCard& card);
    void write(const std::u16string& path, const TransferCard& card);
    // The file names of a folder, listed once per run (a listing reads every
    // entry's size and time) and kept up to date with the cards written.
    std::vector<std::u16string>& namesIn(const std::u16string& folder);

    std::u16string userFolder_;
    FileSystem& files_;
    PasswordGate& gate_;
    bool withPassword_;
    std::vector<std::string> folderMappings_;
    std::map<std::u16string, std::vector<std::u16string>> listed_;
};

}  // namespace tarnwick::transfer
