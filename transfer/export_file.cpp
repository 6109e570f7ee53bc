#include "transfer/export_file.h"

#include <algorithm>
#include <tuple>

#include "cards/card_extensions.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_record.h"
#include "foundation/text_file.h"
#include "transfer/quiet_prompts.h"

namespace tarnwick::transfer {
namespace {

bool endsWith(std::u16string_view name, std::u16string_view extension) {
    return name.size() > extension.size() && name.ends_with(extension);
}

class Walker {
public:
    Walker(FileSystem& files, PasswordGate& gate, Prompts& prompts, bool withPassword)
        : files_(files),
          gate_(gate),
          prompts_(prompts),
          withPassword_(withPassword) {}

    void walk(const std::u16string& folderPath, std::vector<std::u16string>& folder) {
        std::vector<FolderEntry> entries;
        if (files_.listFolder(folderPath, entries) != kErrorSuccess) return;
        // The listing order is the system's; the file's is by name.
        std::sort(entries.begin(), entries.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        for (const FolderEntry& entry : entries) {
            if (entry.isHidden) continue;
            const std::u16string path = folderPath + u'\\' + entry.name;
            if (entry.isFolder) {
                folder.push_back(entry.name);
                walk(path, folder);
                folder.pop_back();
            } else if (endsWith(entry.name, kPasscardExtension)) {
                readPasscard(path, folder, entry.name.substr(0, entry.name.size() - kPasscardExtension.size()));
            } else if (endsWith(entry.name, kIdentityCardExtension)) {
                readIdentity(path, folder, entry.name.substr(0, entry.name.size() - kIdentityCardExtension.size()));
            }
        }
    }

    UserCards result;

private:
    void leaveOut(const std::vector<std::u16string>& folder, bool identity, const std::u16string& name,
                  const char* reason) {
        result.leftOut.push_back({folder, identity, name, reason});
    }

    // Reads the protection first, so that a protected card is never opened without the password.
    template <typename Record>
    bool readable(Record& record, const std::u16string& path, const std::vector<std::u16string>& folder, bool identity,
                  const std::u16string& name, bool& isProtected) {
        try {
            if (!record.readProtection(path, isProtected)) {
                leaveOut(folder, identity, name, "damaged");
                return false;
            }
            if (isProtected && !withPassword_) {
                leaveOut(folder, identity, name, "protected");
                return false;
            }
            const int loaded = record.load(path);
            if (loaded == kCardLoaded) return true;
            leaveOut(folder, identity, name, loaded == kCardDamaged ? "damaged" : "not_owner");
        } catch (const CTextFileException&) {
            leaveOut(folder, identity, name, "unreadable");
        }
        return false;
    }

    void readPasscard(const std::u16string& path, const std::vector<std::u16string>& folder,
                      const std::u16string& name) {
        PasscardRecord record(gate_, prompts_, files_);
        bool isProtected = false;
        if (!readable(record, path, folder, false, name, isProtected)) return;
        TransferCard card;
        card.folder = folder;
        card.name = name;
        card.isProtected = record.protectionMarker == kProtectMarker;
        card.isDefault = record.defaultMarker == kDefaultMarker;
        card.matchKey = record.matchKey;
        card.url = record.url;
        for (std::size_t i = 0; i < record.fieldNames.size(); ++i) {
            card.fields.push_back({record.fieldNames[i], record.fieldTypes[i], record.fieldValues[i]});
        }
        result.cards.push_back(std::move(card));
    }

    void readIdentity(const std::u16string& path, const std::vector<std::u16string>& folder,
                      const std::u16string& name) {
        IdentityRecord record(gate_, prompts_, files_);
        bool isProtected = false;
        if (!readable(record, path, folder, true, name, isProtected)) return;
        TransferCard card;
        card.folder = folder;
        card.identity = true;
        card.name = name;
        card.isProtected = record.loadedProtected();
        card.tags = record.fields;
        card.custom = record.customFields;
        result.cards.push_back(std::move(card));
    }

    FileSystem& files_;
    PasswordGate& gate_;
    Prompts& prompts_;
    bool withPassword_;
};

std::string quotedList(const std::vector<std::u16string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + JsonQuote(items[i]);
    return out + "]";
}

const char* jsonBool(bool value) { return value ? "true" : "false"; }

std::string cardJson(const TransferCard& card) {
    std::string out = "{\"folder\":" + quotedList(card.folder) + ",\"kind\":\"" +
                      (card.identity ? "identity" : "passcard") + "\",\"name\":" + JsonQuote(card.name) +
                      ",\"protected\":" + jsonBool(card.isProtected);
    if (card.identity) {
        out += ",\"fields\":{";
        bool first = true;
        for (const auto& [tag, value] : card.tags) {
            out += (first ? "" : ",") + JsonQuote(tag) + ":" + JsonQuote(value);
            first = false;
        }
        out += "},\"custom\":[";
        for (std::size_t i = 0; i < card.custom.size(); ++i) {
            out += (i ? "," : "") + std::string("{\"name\":") + JsonQuote(card.custom[i].name) +
                   ",\"value\":" + JsonQuote(card.custom[i].value) + "}";
        }
        return out + "]}";
    }
    out += ",\"default\":" + std::string(jsonBool(card.isDefault)) + ",\"matchKey\":" + JsonQuote(card.matchKey) +
           ",\"url\":" + JsonQuote(card.url) + ",\"fields\":[";
    for (std::size_t i = 0; i < card.fields.size(); ++i) {
        const TransferField& field = card.fields[i];
        out += (i ? "," : "") + std::string("{\"name\":") + JsonQuote(field.name) +
               ",\"type\":" + JsonQuote(field.type) + ",\"value\":" + JsonQuote(field.value) + "}";
    }
    return out + "]}";
}

// The parts of one card entry of an export file, each checked for its kind.
class EntryReader {
public:
    explicit EntryReader(const JsonValue& entry) : entry_(entry) {
        if (entry.kind != JsonValue::Kind::Object) throw std::runtime_error("not an object");
    }

    const JsonValue& member(std::u16string_view key, JsonValue::Kind kind) const {
        const JsonValue* value = entry_.find(key);
        if (!value || value->kind != kind) throw std::runtime_error("\"" + narrow(key) + "\" is missing or wrong");
        return *value;
    }
    std::u16string text(std::u16string_view key) const { return member(key, JsonValue::Kind::String).text; }
    bool flag(std::u16string_view key) const { return member(key, JsonValue::Kind::Bool).boolean; }
    static std::u16string textOf(const JsonValue& value, std::u16string_view key) {
        return EntryReader(value).text(key);
    }

private:
    static std::string narrow(std::u16string_view key) { return std::string(key.begin(), key.end()); }
    const JsonValue& entry_;
};

TransferCard readEntry(const JsonValue& entry) {
    const EntryReader reader(entry);
    TransferCard card;
    for (const JsonValue& part : reader.member(u"folder", JsonValue::Kind::Array).items) {
        if (part.kind != JsonValue::Kind::String) throw std::runtime_error("a folder part is no text");
        card.folder.push_back(part.text);
    }
    const std::u16string kind = reader.text(u"kind");
    if (kind != u"passcard" && kind != u"identity") throw std::runtime_error("unknown kind");
    card.identity = kind == u"identity";
    card.name = reader.text(u"name");
    card.isProtected = reader.flag(u"protected");
    if (card.identity) {
        for (const auto& [tag, value] : reader.member(u"fields", JsonValue::Kind::Object).members) {
            if (!IsIdentityTag(tag) || value.kind != JsonValue::Kind::String) {
                throw std::runtime_error("an identity field that is no tag and text");
            }
            card.tags[tag] = value.text;
        }
        for (const JsonValue& pair : reader.member(u"custom", JsonValue::Kind::Array).items) {
            card.custom.push_back({EntryReader::textOf(pair, u"name"), EntryReader::textOf(pair, u"value")});
        }
        return card;
    }
    card.isDefault = reader.flag(u"default");
    card.matchKey = reader.text(u"matchKey");
    card.url = reader.text(u"url");
    for (const JsonValue& field : reader.member(u"fields", JsonValue::Kind::Array).items) {
        card.fields.push_back({EntryReader::textOf(field, u"name"), EntryReader::textOf(field, u"type"),
                               EntryReader::textOf(field, u"value")});
    }
    return card;
}

}  // namespace

UserCards ReadUserCards(const std::u16string& userFolder, FileSystem& files, PasswordGate& gate, bool withPassword) {
    QuietPrompts prompts;
    Walker walker(files, gate, prompts, withPassword);
    std::vector<std::u16string> folder;
    walker.walk(userFolder, folder);
    return std::move(walker.result);
}

std::string ExportJson(const UserCards& cards) {
    std::string out = "{\"format\":" + JsonQuote(kExportFormatName) + ",\"version\":1,\"cards\":[";
    for (std::size_t i = 0; i < cards.cards.size(); ++i) out += (i ? ",\n" : "\n") + cardJson(cards.cards[i]);
    out += "\n],\"leftOut\":[";
    for (std::size_t i = 0; i < cards.leftOut.size(); ++i) {
        const LeftOutCard& card = cards.leftOut[i];
        out += (i ? ",\n" : "\n") + std::string("{\"folder\":") + quotedList(card.folder) + ",\"kind\":\"" +
               (card.identity ? "identity" : "passcard") + "\",\"name\":" + JsonQuote(card.name) + ",\"reason\":\"" +
               card.reason + "\"}";
    }
    return out + "\n]}\n";
}

ParsedCards ReadExportJson(const JsonValue& document) {
    ParsedCards parsed;
    const JsonValue* cards = document.find(u"cards");
    if (!cards || cards->kind != JsonValue::Kind::Array) throw JsonError("no \"cards\" list", 1);
    for (std::size_t i = 0; i < cards->items.size(); ++i) {
        try {
            parsed.cards.push_back(readEntry(cards->items[i]));
        } catch (const std::runtime_error& e) {
            parsed.skipped.push_back("card " + std::to_string(i + 1) + " of the file: " + e.what());
        }
    }
    return parsed;
}

}  // namespace tarnwick::transfer
