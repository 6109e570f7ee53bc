// new-passcard, new-identity, set-default, protect: cards made and changed
// from the command line with the editors' own record code.
#include <string>

#include "foundation/text_file.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_fields.h"
#include "cards/passcard_record.h"
#include "platform/utf8.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"

namespace tarnwick::cli {
namespace {

// "--protected --password PW" go together.
std::optional<std::u16string> takeProtection(ArgList& args, bool& isProtected) {
    isProtected = args.takeFlag(u"protected");
    std::optional<std::u16string> password = TakePassword(args);
    if (isProtected && !password) throw UsageError("--protected needs --password PW");
    if (!isProtected && password) throw UsageError("--password is for --protected cards");
    return password;
}

std::u16string takeNewCardPath(ArgList& args, CardFileKind kind) {
    const std::u16string path = ToCorePath(args.takePositional("FILE"));
    if (KindOfCard(path) != kind) {
        throw UsageError(kind == CardFileKind::Passcard ? "a passcard file ends in .vrc"
                                                        : "an identity card file ends in .vrt");
    }
    return path;
}

// New cards never replace a file.
bool refuseExisting(const std::u16string& path) {
    FolderEntry entry;
    if (NativeFileSystem().queryEntry(path, entry) == kErrorSuccess) {
        PrintError("tarnwick: " + Utf16ToUtf8(path) + " already exists");
        return true;
    }
    return false;
}

// "NAME:TYPE:VALUE": the first two colons split.
void addField(PasscardRecord& record, const std::u16string& word) {
    const std::size_t first = word.find(u':');
    const std::size_t second = first == std::u16string::npos ? first : word.find(u':', first + 1);
    if (second == std::u16string::npos) throw UsageError("--field takes NAME:TYPE:VALUE");
    const std::u16string type = word.substr(first + 1, second - first - 1);
    if (type != kTextFieldType && type != kPasswordFieldType) {
        throw UsageError("a field's TYPE is text or password, not " + Utf16ToUtf8(type));
    }
    record.fieldNames.push_back(word.substr(0, first));
    record.fieldTypes.push_back(type);
    record.fieldValues.push_back(word.substr(second + 1));
}

// "A=B" split at the first "=".
std::pair<std::u16string, std::u16string> splitPair(const std::u16string& word, const char* option) {
    const std::size_t equals = word.find(u'=');
    if (equals == std::u16string::npos) throw UsageError(std::string("--") + option + " takes NAME=VALUE");
    return {word.substr(0, equals), word.substr(equals + 1)};
}

// "EMAIL" or "[EMAIL]".
std::u16string identityTag(const std::u16string& word) {
    const std::u16string tag = !word.empty() && word.front() == u'[' ? word : u"[" + word + u"]";
    if (!IsIdentityTag(tag)) throw UsageError("not an identity card tag: " + Utf16ToUtf8(word));
    return tag;
}

// The given custom values fill the new card's empty pairs first, as typed into the form.
void addCustom(IdentityRecord& record, std::pair<std::u16string, std::u16string> pair) {
    for (CustomField& field : record.customFields) {
        if (!field.name.empty() || !field.value.empty()) continue;
        field = {std::move(pair.first), std::move(pair.second)};
        return;
    }
    record.customFields.push_back({std::move(pair.first), std::move(pair.second)});
}

int reportNotWritten(CardWriteResult result, const std::u16string& path) {
    switch (result) {
        case CardWriteResult::Written:
            return 0;
        case CardWriteResult::Damaged:
            PrintError("tarnwick: " + Utf16ToUtf8(path) + " is damaged");
            break;
        case CardWriteResult::NotOwner:
            PrintError("tarnwick: " + Utf16ToUtf8(path) + " belongs to another user");
            break;
        case CardWriteResult::NoPassword:
        case CardWriteResult::NotLoaded:
            PrintError("tarnwick: " + Utf16ToUtf8(path) + " was not written");
            break;
    }
    return 1;
}

}  // namespace

int RunNewPasscard(ArgList& args) {
    const std::optional<std::u16string> url = args.takeOption(u"url");
    if (!url) throw UsageError("--url URL is required");
    const std::vector<std::u16string> fields = args.takeRepeated(u"field");
    const std::optional<std::u16string> matchKey = args.takeOption(u"match-key");
    const bool isDefault = args.takeFlag(u"default");
    bool isProtected = false;
    std::optional<std::u16string> password = takeProtection(args, isProtected);
    const std::u16string path = takeNewCardPath(args, CardFileKind::Passcard);
    args.expectEnd();

    CliPasswordGate gate(std::move(password));
    CliPrompts prompts;
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    record.matchKey = matchKey.value_or(*url);
    record.url = *url;
    for (const std::u16string& field : fields) addField(record, field);
    record.defaultMarker = isDefault ? kDefaultMarker : kUndefaultMarker;
    record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
    if (refuseExisting(path)) return 1;
    return reportNotWritten(record.createCard(path), path);
}

int RunNewIdentity(ArgList& args) {
    const std::vector<std::u16string> sets = args.takeRepeated(u"set");
    const std::vector<std::u16string> customs = args.takeRepeated(u"custom");
    bool isProtected = false;
    std::optional<std::u16string> password = takeProtection(args, isProtected);
    const std::u16string path = takeNewCardPath(args, CardFileKind::Identity);
    args.expectEnd();

    CliPasswordGate gate(std::move(password));
    CliPrompts prompts;
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    record.resetToNewCard(CardNameOf(path));
    for (const std::u16string& set : sets) {
        auto [tag, value] = splitPair(set, "set");
        record.fields[identityTag(tag)] = value;
    }
    for (const std::u16string& custom : customs) addCustom(record, splitPair(custom, "custom"));
    if (refuseExisting(path)) return 1;
    return reportNotWritten(record.save(path, !isProtected), path);
}

int RunSetDefault(ArgList& args) {
    const std::u16string path = ToCorePath(args.takePositional("FILE"));
    const bool on = TakeOnOff(args);
    args.expectEnd();
    if (KindOfCard(path) != CardFileKind::Passcard) throw UsageError("only passcards (.vrc) are default");
    CliPasswordGate gate(std::nullopt);
    CliPrompts prompts;
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    return reportNotWritten(record.setDefault(path, on), path);
}

int RunProtect(ArgList& args) {
    std::optional<std::u16string> password = TakePassword(args);
    if (!password) throw UsageError("--password PW is required");
    const std::u16string path = ToCorePath(args.takePositional("FILE"));
    const bool on = TakeOnOff(args);
    args.expectEnd();
    CliPasswordGate gate(std::move(password));
    CliPrompts prompts;
    if (KindOfCard(path) == CardFileKind::Passcard) {
        PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
        return reportNotWritten(record.setProtection(path, on), path);
    }
    // An identity card changes protection by being saved with the other key.
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    const int loaded = record.load(path);
    if (loaded == kCardDamaged) return reportNotWritten(CardWriteResult::Damaged, path);
    if (loaded != kCardLoaded) return 1;  // the owner error is already on stderr
    return reportNotWritten(record.save(path, !on), path);
}

}  // namespace tarnwick::cli
