// What the editors' card session asks of a card record, whatever its kind:
// load a card file, write it back with its own protection, and read or
// change its protection. Failures to read or write raise CTextFileException;
// text sealing would change raises UnsealableTextError before anything is
// written.
#pragma once

#include <string>

#include "cards/card_file.h"

namespace tarnwick {

class CardFileRecord {
public:
    virtual ~CardFileRecord() = default;
    // kCardLoaded, kCardNotLoaded or kCardDamaged; the record changes only on kCardLoaded.
    virtual int load(const std::u16string& path) = 0;
    // The record written over `path` with the protection the card has.
    virtual CardWriteResult saveCard(const std::u16string& path) = 0;
    // False for a damaged file.
    virtual bool readProtection(const std::u16string& path, bool& isProtected) const = 0;
    virtual CardWriteResult setProtection(const std::u16string& path, bool protect) = 0;
    // The protection of the lines the last load or save read.
    virtual bool loadedProtected() const = 0;
};

}  // namespace tarnwick
