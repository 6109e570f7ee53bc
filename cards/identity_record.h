// An identity card in memory and its file: create, save, read the protection,
// check the owner and load. Every line of the file is sealed with the card's
// key mode; the last line is the check text of the lines above it.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cards/card_file.h"
#include "cards/card_file_record.h"
#include "foundation/message_catalogue.h"
#include "foundation/password_gate.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

struct CustomField {
    std::u16string name;
    std::u16string value;
    bool operator==(const CustomField&) const = default;
};

class IdentityRecord : public CardFileRecord {
public:
    // The gate is asked for the primary password before anything is sealed or
    // unsealed with the user's key; prompts and catalogue show the owner error.
    IdentityRecord(PasswordGate& gate, Prompts& prompts, FileSystem& files = NativeFileSystem(),
                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());
    // The values are wiped when the record goes, and whenever another card replaces them.
    ~IdentityRecord() override;

    // Tag -> value, ordered by code units: the order the file is written in.
    std::map<std::u16string, std::u16string> fields;
    // In insertion order; names need not be unique and may be empty.
    std::vector<CustomField> customFields;

    // Empties the custom pairs, their texts wiped.
    void clearCustomFields();

    // The new card's content: every tag empty but "[NAME]" = "|" + name, and
    // three empty custom pairs.
    void resetToNewCard(std::u16string_view cardName);
    // resetToNewCard, then save.
    CardWriteResult createNewCard(const std::u16string& path, std::u16string_view cardName, bool unprotected);
    // Writes the card, replacing the file in one step. A protected save asks
    // the gate first (NoPassword when refused). A tag, value or custom text
    // that sealing would change raises UnsealableTextError before anything is
    // asked or written. Write failures raise CTextFileException and leave the
    // old file as it was.
    CardWriteResult save(const std::u16string& path, bool unprotected);
    // Save with the protection the file has now (another program may have
    // toggled it); a file that cannot be read keeps the protection loaded.
    CardWriteResult saveCard(const std::u16string& path) override;

    // False for a damaged file (fewer than two lines, or a check-line
    // mismatch), `isProtected` then untouched. Needs no password.
    bool readProtection(const std::u16string& path, bool& isProtected) const override;
    // Whether the marker opens with the current user's key to "PROTECT".
    bool checkOwner(const std::u16string& path) const;
    // Re-seals every line of the file with the other key and writes the new
    // marker and check line; the record itself is not touched. Asks the gate
    // first, in both directions; unprotecting needs the card to be the current
    // user's (NotOwner). A damaged file is left as it is (Damaged). Write
    // failures raise CTextFileException and leave the old file as it was.
    CardWriteResult setProtection(const std::u16string& path, bool protect) override;
    // kCardLoaded, kCardNotLoaded (password refused, or another user's card:
    // with the owner error) or kCardDamaged. The record changes only on kCardLoaded.
    // A file that cannot be read (here and in the file operations above)
    // raises CTextFileException: it is unreadable, not damaged.
    int load(const std::u16string& path) override;
    // The protection of the file as the last successful load read it, from the
    // same lines it loaded: what a selection shows without reading the file again.
    bool loadedProtected() const override { return loadedProtected_; }

private:
    void requireSealable() const;
    std::vector<std::u16string> plainLines(bool isProtected) const;
    void fillFrom(const std::vector<std::u16string>& unsealed);
    void wipeValues();

    PasswordGate& gate_;
    Prompts& prompts_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    bool loadedProtected_ = false;
};

}  // namespace tarnwick
