#include "cards/passcard_record.h"

#include <stdexcept>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_box.h"
#include "foundation/secret_text.h"
#include "foundation/sealable_text.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "cards/passcard_layout.h"

namespace tarnwick {
namespace {

std::u16string seal(std::u16string_view text, int keyMode) { return SealText(text, kAlgorithmBlowfish, keyMode); }

void wipe(PasscardSavedCopy& copy) {
    WipeText(copy.url);
    WipeTexts(copy.fieldNames);
    WipeTexts(copy.fieldTypes);
    WipeTexts(copy.fieldValues);
}

}  // namespace

PasscardRecord::PasscardRecord(PasswordGate& gate, Prompts& prompts, FileSystem& files,
                               const MessageCatalogue& catalogue)
    : gate_(gate),
      prompts_(prompts),
      files_(files),
      catalogue_(catalogue) {}

PasscardRecord::~PasscardRecord() {
    WipeText(matchKey);
    WipeText(url);
    WipeTexts(fieldNames);
    WipeTexts(fieldTypes);
    WipeTexts(fieldValues);
    wipe(savedCopy);
}

void PasscardRecord::revertToSavedCopy() {
    WipeText(url);
    WipeTexts(fieldNames);
    WipeTexts(fieldTypes);
    WipeTexts(fieldValues);
    fieldNames = savedCopy.fieldNames;
    fieldTypes = savedCopy.fieldTypes;
    fieldValues = savedCopy.fieldValues;
    url = savedCopy.url;
}

void PasscardRecord::keepSavedCopy() {
    // Assigned member by member into the wiped copy, so that its buffers are
    // reused; any the new texts outgrow were wiped before they are freed.
    wipe(savedCopy);
    savedCopy.url = url;
    savedCopy.fieldNames = fieldNames;
    savedCopy.fieldTypes = fieldTypes;
    savedCopy.fieldValues = fieldValues;
}

bool PasscardRecord::holds(const std::u16string& cardPath) const { return loadedPath_ && *loadedPath_ == cardPath; }

void PasscardRecord::cardMoved(const std::u16string& cardPath) {
    if (!loadedPath_) return;
    path = cardPath;
    loadedPath_ = cardPath;
}

int PasscardRecord::load(const std::u16string& cardPath) {
    // A card that does not open leaves the record with the card it held, so
    // that card's edits can still be saved. One read: the lines whose protection and owner are checked are the lines
    // that are loaded, even if the file changes meanwhile.
    const std::vector<std::u16string> lines = intactLines(cardPath);
    if (lines.empty()) return kCardDamaged;
    const std::u16string& marker = lines[lines.size() - 2];
    const bool isProtected = IsCardProtected(marker);
    if (isProtected) {
        if (!gate_.EnsurePrimaryPassword(prompts_.activeWindow())) return kCardNotLoaded;
        if (!CardBelongsToCurrentUser(marker)) {
            ShowMessage(prompts_, prompts_.activeWindow(), kErrorBox, catalogue_key::kPasscardNotOwner, catalogue_);
            return kCardNotLoaded;
        }
    }
    fillFrom(lines, isProtected ? KeyModeUser : KeyModeCommon);
    keepSavedCopy();
    path = cardPath;
    loadedPath_ = cardPath;
    return kCardLoaded;
}

void PasscardRecord::fillFrom(const std::vector<std::u16string>& lines, int bodyMode) {
    const std::size_t n = lines.size();
    const std::size_t count = PasscardFieldCount(n);
    // The texts held are overwritten in place, each wiped first, so that a
    // card loaded again reuses their buffers; the fields beyond the new
    // card's count are wiped before they go.
    for (auto* texts : {&fieldNames, &fieldTypes, &fieldValues}) {
        for (std::size_t i = count; i < texts->size(); ++i) WipeText((*texts)[i]);
        texts->resize(count);
    }
    // One unsealer for the card: the user key is looked up once, not per line.
    Unsealer unsealLine;
    WipeText(matchKey);
    matchKey = unsealLine(lines[0], KeyModeCommon);
    // The address and the fields, one key for all: unsealed together.
    std::vector<std::u16string*> body;
    body.reserve(3 * count + 1);
    body.push_back(&url);
    for (std::size_t i = 0; i < count; ++i) {
        body.push_back(&fieldNames[i]);
        body.push_back(&fieldTypes[i]);
        body.push_back(&fieldValues[i]);
    }
    unsealLine.lines(lines, 1, body, bodyMode);
    defaultMarker = unsealLine(lines[n - 3], KeyModeCommon);
    protectionMarker = unsealLine(lines[n - 2], bodyMode);
}

std::vector<std::u16string> PasscardRecord::sealedLines(const std::vector<std::u16string>& names,
                                                        const std::vector<std::u16string>& values) const {
    const bool isProtected = protectionMarker == kProtectMarker;
    const int bodyMode = isProtected ? KeyModeUser : KeyModeCommon;
    std::vector<std::u16string> lines;
    lines.reserve(fieldNames.size() * 3 + 5);
    lines.push_back(seal(matchKey, KeyModeCommon));
    lines.push_back(seal(url, bodyMode));
    for (std::size_t i = 0; i < fieldNames.size(); ++i) {
        lines.push_back(seal(names[i], bodyMode));
        lines.push_back(seal(fieldTypes[i], bodyMode));
        lines.push_back(seal(values[i], bodyMode));
    }
    lines.push_back(seal(defaultMarker == kDefaultMarker ? kDefaultMarker : kUndefaultMarker, KeyModeCommon));
    lines.push_back(isProtected ? seal(kProtectMarker, KeyModeUser) : seal(kUnprotectMarker, KeyModeCommon));
    lines.push_back(CardCheckLine(lines, lines.size()));
    return lines;
}

CardWriteResult PasscardRecord::write(const std::u16string& cardPath, const std::vector<std::u16string>& names,
                                      const std::vector<std::u16string>& values) {
    if (fieldTypes.size() != fieldNames.size() || names.size() != fieldNames.size() ||
        values.size() != fieldNames.size()) {
        throw std::invalid_argument("passcard field lists of different lengths");
    }
    // Before anything else: text sealing would change is refused, nothing written.
    RequireSealable(kPasscardMatchKeyLabel, matchKey);
    RequireSealable(kPasscardAddressLabel, url);
    for (std::size_t i = 0; i < names.size(); ++i) {
        RequireSealable(PasscardFieldLabel(i, {}), names[i]);
        RequireSealable(PasscardFieldLabel(i, names[i]), fieldTypes[i]);
        RequireSealable(PasscardFieldLabel(i, names[i]), values[i]);
    }
    if (protectionMarker == kProtectMarker && !gate_.EnsurePrimaryPassword(prompts_.activeWindow())) {
        return CardWriteResult::NoPassword;
    }
    const bool isProtected = protectionMarker == kProtectMarker;
    const std::vector<std::u16string> lines = sealedLines(names, values);
    WriteTextLines(cardPath, lines, kEncodingUtf16LittleEndian, files_);
    // The record is loaded again from the lines just written, exactly as a load
    // of the file gives them: a read of the file after the write could fail
    // while the save had already succeeded, leaving the record empty-handed.
    path = cardPath;
    fillFrom(lines, isProtected ? KeyModeUser : KeyModeCommon);
    keepSavedCopy();
    loadedPath_ = cardPath;
    return CardWriteResult::Written;
}

CardWriteResult PasscardRecord::save(const std::u16string& cardPath, const std::vector<std::u16string>& pageNames,
                                     const std::vector<std::u16string>& pageValues) {
    // A record whose last load failed still holds the previous card's match
    // key and markers: writing it would put them into this card's file.
    if (!holds(cardPath)) return CardWriteResult::NotLoaded;
    return write(cardPath, pageNames, pageValues);
}

CardWriteResult PasscardRecord::save(const std::u16string& cardPath) {
    // Copies: the write loads the record again from the lines written.
    std::vector<std::u16string> names = fieldNames;
    std::vector<std::u16string> values = fieldValues;
    const WipeOnExit wipeNames(names);
    const WipeOnExit wipeValues(values);
    return save(cardPath, names, values);
}

CardWriteResult PasscardRecord::createCard(const std::u16string& cardPath) {
    std::vector<std::u16string> names = fieldNames;
    std::vector<std::u16string> values = fieldValues;
    const WipeOnExit wipeNames(names);
    const WipeOnExit wipeValues(values);
    return write(cardPath, names, values);
}

}  // namespace tarnwick
