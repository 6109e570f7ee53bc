// A passcard in memory and its file: load and save (the record), and the
// operations on a card file (protection, owner, default mark). Line 1, the
// match key, and the default line are always sealed with the common key.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cards/card_extensions.h"
#include "cards/card_file.h"
#include "cards/card_file_record.h"
#include "cards/card_marker.h"
#include "foundation/message_catalogue.h"
#include "foundation/password_gate.h"
#include "platform/file_system.h"
#include "platform/prompts.h"

namespace tarnwick {

inline constexpr std::u16string_view kDefaultMarker = u"DEFAULT";
inline constexpr std::u16string_view kUndefaultMarker = u"UNDEFAULT";

// The address and fields as the last load left them, for Reset.
struct PasscardSavedCopy {
    std::u16string url;
    std::vector<std::u16string> fieldNames;
    std::vector<std::u16string> fieldTypes;
    std::vector<std::u16string> fieldValues;
};

class PasscardRecord : public CardFileRecord {
public:
    PasscardRecord(PasswordGate& gate, Prompts& prompts, FileSystem& files = NativeFileSystem(),
                   const MessageCatalogue& catalogue = MessageCatalogue::Instance());
    // The address and the fields (and their saved copy) are wiped when the
    // record goes, and whenever another card replaces them.
    ~PasscardRecord() override;

    std::u16string matchKey;  // kept as read; never shown
    std::u16string url;
    std::vector<std::u16string> fieldNames;  // the three lists have equal length
    std::vector<std::u16string> fieldTypes;
    std::vector<std::u16string> fieldValues;
    std::u16string defaultMarker{kUndefaultMarker};
    std::u16string protectionMarker{kUnprotectMarker};
    PasscardSavedCopy savedCopy;
    std::u16string path;  // the card last loaded, extension included

    // kCardLoaded, kCardNotLoaded (password refused, or another user's card:
    // with the owner error) or kCardDamaged; the record changes only on
    // kCardLoaded. A file that cannot be read raises CTextFileException.
    int load(const std::u16string& cardPath) override;
    // True when the last load returned kCardLoaded and nothing has replaced the
    // record's card since: only such a record may be written over a card.
    bool holdsLoadedCard() const { return loadedPath_.has_value(); }
    // The same for the card at `cardPath`: its markers are then the file's,
    // as loaded and as kept in step by setDefault and setProtection.
    bool holds(const std::u16string& cardPath) const;
    // The card the record holds was moved or renamed: it now lives at `cardPath`.
    void cardMoved(const std::u16string& cardPath);
    // Reset: the address and fields back as the saved copy has them.
    void revertToSavedCopy();

    // Writes the record with the names and values read from the form, then
    // loads the card again from the lines written. NotLoaded, with the file untouched, unless the
    // record holds the card loaded from `cardPath` and the page lists match
    // its fields. Write failures raise CTextFileException, the old file intact.
    CardWriteResult save(const std::u16string& cardPath, const std::vector<std::u16string>& pageNames,
                         const std::vector<std::u16string>& pageValues);
    // The same with the record's own names and values.
    CardWriteResult save(const std::u16string& cardPath);
    CardWriteResult saveCard(const std::u16string& cardPath) override { return save(cardPath); }
    bool loadedProtected() const override { return protectionMarker == kProtectMarker; }
    // Writes the record as a new card file (the way the browser toolbar makes
    // one), then loads it.
    CardWriteResult createCard(const std::u16string& cardPath);

    // Operations on a card file; a damaged file (an empty line, a check-line
    // mismatch, or not 3k + 5 lines) is reported as such and never rewritten.
    bool readProtection(const std::u16string& cardPath, bool& isProtected) const override;
    bool checkOwner(const std::u16string& cardPath) const;
    bool isDefault(const std::u16string& cardPath) const;
    // Rewrites the default line and the check line only.
    CardWriteResult setDefault(const std::u16string& cardPath, bool isDefaultCard);
    // Re-seals the address and the field lines with the other key. Asks the
    // gate first; unprotecting needs the card to be the current user's. A card
    // already in the asked state is left as it is.
    CardWriteResult setProtection(const std::u16string& cardPath, bool protect) override;

private:
    std::vector<std::u16string> sealedLines(const std::vector<std::u16string>& names,
                                            const std::vector<std::u16string>& values) const;
    CardWriteResult write(const std::u16string& cardPath, const std::vector<std::u16string>& names,
                          const std::vector<std::u16string>& values);
    void fillFrom(const std::vector<std::u16string>& lines, int bodyMode);
    // The saved copy becomes the record's address and fields as they are now.
    void keepSavedCopy();
    std::vector<std::u16string> intactLines(const std::u16string& cardPath) const;

    PasswordGate& gate_;
    Prompts& prompts_;
    FileSystem& files_;
    const MessageCatalogue& catalogue_;
    std::optional<std::u16string> loadedPath_;
};

}  // namespace tarnwick
