#include "transfer/import_formats.h"

#include <stdexcept>

#include "cards/identity_tags.h"
#include "cards/passcard_fields.h"
#include "transfer/csv_reader.h"
#include "transfer/json_reader.h"

namespace tarnwick::transfer {
namespace {

std::u16string lower(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

std::string lineLabel(std::size_t line) { return "line " + std::to_string(line); }

std::u16string number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// A "Work/Mail" group or folder name as folder parts; empty parts dropped.
std::vector<std::u16string> folderParts(const std::u16string& path) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find(u'/', start);
        std::u16string part = path.substr(start, slash == std::u16string::npos ? slash : slash - start);
        if (!part.empty()) parts.push_back(std::move(part));
        if (slash == std::u16string::npos) return parts;
        start = slash + 1;
    }
}

// A login as a passcard: the address is the match key too, as a new passcard's is.
// A login without a name is named after its site: "shop.example" of "https://shop.example/login".
std::u16string siteOf(const std::u16string& url) {
    const std::size_t scheme = url.find(u"://");
    const std::size_t start = scheme == std::u16string::npos ? 0 : scheme + 3;
    return url.substr(start, url.find_first_of(u"/?#", start) - start);
}

TransferCard loginCard(std::u16string name, const std::u16string& url, const std::u16string& user,
                       const std::u16string& password) {
    TransferCard card;
    card.name = name.empty() ? siteOf(url) : std::move(name);
    card.url = url;
    card.matchKey = url;
    card.fields.push_back({std::u16string(kUserNameFieldName), std::u16string(kTextFieldType), user});
    card.fields.push_back({std::u16string(kPasswordFieldName), std::u16string(kPasswordFieldType), password});
    return card;
}

void addText(TransferCard& card, std::u16string name, const std::u16string& value) {
    if (!value.empty()) card.fields.push_back({std::move(name), std::u16string(kTextFieldType), value});
}

// The column of each wanted name in the header (lower-cased when `anyCase`);
// empty when a required one is missing or a name appears twice.
struct Columns {
    std::vector<std::ptrdiff_t> index;
    bool complete = false;
};

Columns findColumns(const std::vector<std::u16string>& header, const std::vector<std::u16string_view>& names,
                    std::size_t required, bool anyCase) {
    Columns columns;
    columns.index.assign(names.size(), -1);
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::u16string cell = anyCase ? lower(header[c]) : header[c];
        for (std::size_t n = 0; n < names.size(); ++n) {
            if (cell != names[n]) continue;
            if (columns.index[n] >= 0) return {};
            columns.index[n] = static_cast<std::ptrdiff_t>(c);
        }
    }
    for (std::size_t n = 0; n < required; ++n) {
        if (columns.index[n] < 0) return columns;
    }
    columns.complete = true;
    return columns;
}

const std::vector<std::u16string_view> kBrowserColumns = {u"name", u"url", u"username", u"password", u"note"};
const std::vector<std::u16string_view> kManagerColumns = {u"Group",    u"Title", u"Username",
                                                          u"Password", u"URL",   u"Notes"};

ParsedCards readCsv(std::string_view bytes, bool browser) {
    const CsvTable table = ReadCsv(bytes);
    ParsedCards parsed;
    for (const CsvProblem& problem : table.problems) {
        parsed.skipped.push_back(lineLabel(problem.line) + ": " + problem.reason);
    }
    if (table.records.empty()) throw std::runtime_error("no header line");
    const std::vector<std::u16string>& header = table.records.front().fields;
    const Columns columns = browser ? findColumns(header, kBrowserColumns, 4, true)
                                    : findColumns(header, kManagerColumns, kManagerColumns.size(), false);
    if (!columns.complete) throw std::runtime_error("the header is not the one this format has");
    for (std::size_t r = 1; r < table.records.size(); ++r) {
        const CsvRecord& record = table.records[r];
        if (record.fields.size() != header.size()) {
            parsed.skipped.push_back(lineLabel(record.line) + ": " + std::to_string(record.fields.size()) +
                                     " fields where the header has " + std::to_string(header.size()));
            continue;
        }
        const auto cell = [&](std::size_t n) {
            return columns.index[n] < 0 ? std::u16string() : record.fields[static_cast<std::size_t>(columns.index[n])];
        };
        if (browser) {
            TransferCard card = loginCard(cell(0), cell(1), cell(2), cell(3));
            addText(card, u"note", cell(4));
            parsed.cards.push_back(std::move(card));
        } else {
            TransferCard card = loginCard(cell(1), cell(4), cell(2), cell(3));
            card.folder = folderParts(cell(0));
            addText(card, u"notes", cell(5));
            parsed.cards.push_back(std::move(card));
        }
    }
    return parsed;
}

// A member's text; null and absent are empty, anything else is refused.
std::u16string textOf(const JsonValue* object, std::u16string_view key) {
    if (!object || object->kind != JsonValue::Kind::Object) return {};
    const JsonValue* value = object->find(key);
    if (!value || value->isNull()) return {};
    if (value->kind != JsonValue::Kind::String)
        throw std::runtime_error("\"" + std::string(key.begin(), key.end()) + "\" is no text");
    return value->text;
}

// Custom fields: text (0), hidden (1), boolean (2); linked ones (3) hold no value.
void addCustomFields(const JsonValue& item, std::vector<TransferField>& fields) {
    const JsonValue* list = item.find(u"fields");
    if (!list || list->isNull()) return;
    if (list->kind != JsonValue::Kind::Array) throw std::runtime_error("\"fields\" is no list");
    for (const JsonValue& field : list->items) {
        const JsonValue* type = field.kind == JsonValue::Kind::Object ? field.find(u"type") : nullptr;
        const double kind = type && type->kind == JsonValue::Kind::Number ? type->number : 0;
        if (kind == 3) continue;
        std::u16string name = textOf(&field, u"name");
        if (name.empty()) name = u"field " + number(fields.size() + 1);
        fields.push_back({std::move(name), std::u16string(kind == 1 ? kPasswordFieldType : kTextFieldType),
                          textOf(&field, u"value")});
    }
}

TransferCard cloudLogin(const JsonValue& item, std::u16string name) {
    const JsonValue* login = item.find(u"login");
    std::vector<std::u16string> uris;
    if (const JsonValue* list = login && login->kind == JsonValue::Kind::Object ? login->find(u"uris") : nullptr) {
        if (list->kind == JsonValue::Kind::Array) {
            for (const JsonValue& uri : list->items) uris.push_back(textOf(&uri, u"uri"));
        }
    }
    TransferCard card = loginCard(std::move(name), uris.empty() ? std::u16string() : uris.front(),
                                  textOf(login, u"username"), textOf(login, u"password"));
    const std::u16string totp = textOf(login, u"totp");
    if (!totp.empty()) card.fields.push_back({u"totp", std::u16string(kPasswordFieldType), totp});
    for (std::size_t i = 1; i < uris.size(); ++i) addText(card, u"url " + number(i + 1), uris[i]);
    addText(card, u"notes", textOf(&item, u"notes"));
    addCustomFields(item, card.fields);
    return card;
}

std::u16string joined(const std::vector<std::u16string>& parts, std::u16string_view separator) {
    std::u16string out;
    for (const std::u16string& part : parts) {
        if (part.empty()) continue;
        if (!out.empty()) out += separator;
        out += part;
    }
    return out;
}

TransferCard cloudIdentity(const JsonValue& item, std::u16string name) {
    const JsonValue* identity = item.find(u"identity");
    const auto get = [&](std::u16string_view key) { return textOf(identity, key); };
    TransferCard card;
    card.identity = true;
    card.name = std::move(name);
    for (std::u16string_view tag : kIdentityTags) card.tags[std::u16string(tag)];
    // "[NAME]" is last name, separator, first names; without any, the card's name as a new card has it.
    const std::u16string first = joined({get(u"firstName"), get(u"middleName")}, u" ");
    const std::u16string last = get(u"lastName");
    card.tags[std::u16string(identity_tag::kName)] =
        last + kNameSeparator + (first.empty() && last.empty() ? card.name : first);
    const auto set = [&](std::u16string_view tag, std::u16string value) {
        card.tags[std::u16string(tag)] = std::move(value);
    };
    set(identity_tag::kAddress, joined({get(u"address1"), get(u"address2"), get(u"address3")}, u", "));
    set(identity_tag::kCity, get(u"city"));
    set(identity_tag::kProvince, get(u"state"));
    set(identity_tag::kPostCode, get(u"postalCode"));
    set(identity_tag::kCountry, get(u"country"));
    set(identity_tag::kCompanyName, get(u"company"));
    set(identity_tag::kEmail, get(u"email"));
    set(identity_tag::kPhone, get(u"phone"));
    set(identity_tag::kFavoriteUserId, get(u"username"));
    if (!get(u"ssn").empty()) {
        set(identity_tag::kIdCardType, u"SSN");
        set(identity_tag::kIdCardNumber, get(u"ssn"));
    }
    // What has no tag of its own becomes a custom pair.
    const auto custom = [&](std::u16string label, std::u16string value) {
        if (!value.empty()) card.custom.push_back({std::move(label), std::move(value)});
    };
    custom(u"Title", get(u"title"));
    custom(u"Passport number", get(u"passportNumber"));
    custom(u"License number", get(u"licenseNumber"));
    custom(u"Notes", textOf(&item, u"notes"));
    std::vector<TransferField> fields;
    addCustomFields(item, fields);
    for (TransferField& field : fields) card.custom.push_back({std::move(field.name), std::move(field.value)});
    return card;
}

ParsedCards readCloudJson(const JsonValue& document) {
    const JsonValue* encrypted = document.find(u"encrypted");
    if (encrypted && !(encrypted->kind == JsonValue::Kind::Bool && !encrypted->boolean)) {
        throw std::runtime_error("an encrypted export: export it unencrypted");
    }
    std::vector<std::pair<std::u16string, std::vector<std::u16string>>> folders;
    if (const JsonValue* list = document.find(u"folders"); list && list->kind == JsonValue::Kind::Array) {
        for (const JsonValue& folder : list->items) {
            folders.emplace_back(textOf(&folder, u"id"), folderParts(textOf(&folder, u"name")));
        }
    }
    const JsonValue* items = document.find(u"items");
    if (!items || items->kind != JsonValue::Kind::Array) throw std::runtime_error("no \"items\" list");
    ParsedCards parsed;
    for (std::size_t i = 0; i < items->items.size(); ++i) {
        const JsonValue& item = items->items[i];
        const std::string where = "item " + std::to_string(i + 1);
        try {
            if (item.kind != JsonValue::Kind::Object) throw std::runtime_error("not an object");
            const JsonValue* type = item.find(u"type");
            // Compared as read: a number beyond int's range must not be converted.
            const double kind = type && type->kind == JsonValue::Kind::Number ? type->number : 0;
            const std::u16string name = textOf(&item, u"name");
            const std::string label = where + " (" + CardLabel({}, name) + ")";
            if (kind == 2 || kind == 3) {
                parsed.skipped.push_back(label + ": " + (kind == 2 ? "a secure note" : "a payment card") +
                                         ", which no card here holds");
                continue;
            }
            if (kind != 1 && kind != 4) {
                parsed.skipped.push_back(label + ": an item of unknown type");
                continue;
            }
            TransferCard card = kind == 1 ? cloudLogin(item, name) : cloudIdentity(item, name);
            const std::u16string folderId = textOf(&item, u"folderId");
            for (const auto& [id, parts] : folders) {
                if (!folderId.empty() && id == folderId) card.folder = parts;
            }
            parsed.cards.push_back(std::move(card));
        } catch (const std::runtime_error& e) {
            parsed.skipped.push_back(where + ": " + e.what());
        }
    }
    return parsed;
}

std::string_view withoutMark(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

}  // namespace

std::optional<ImportFormat> FormatNamed(std::u16string_view name) {
    if (name == u"tarnwick") return ImportFormat::Own;
    if (name == u"browser-csv") return ImportFormat::BrowserCsv;
    if (name == u"manager-csv") return ImportFormat::ManagerCsv;
    if (name == u"cloud-json") return ImportFormat::CloudJson;
    return std::nullopt;
}

std::optional<ImportFormat> DetectFormat(std::string_view bytes) {
    const std::string_view text = withoutMark(bytes);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && text[first] == '{') {
        try {
            const JsonValue document = ParseJson(bytes);
            const JsonValue* format = document.find(u"format");
            if (format && format->kind == JsonValue::Kind::String && format->text == kExportFormatName) {
                return ImportFormat::Own;
            }
            if (document.find(u"items")) return ImportFormat::CloudJson;
        } catch (const JsonError&) {}
        return std::nullopt;
    }
    const std::size_t end = text.find('\n');
    const CsvTable header = ReadCsv(text.substr(0, end == std::string_view::npos ? text.size() : end + 1));
    if (header.records.empty()) return std::nullopt;
    if (findColumns(header.records.front().fields, kBrowserColumns, 4, true).complete) return ImportFormat::BrowserCsv;
    if (findColumns(header.records.front().fields, kManagerColumns, kManagerColumns.size(), false).complete) {
        return ImportFormat::ManagerCsv;
    }
    return std::nullopt;
}

ParsedCards ReadImportFile(std::string_view bytes, ImportFormat format) {
    switch (format) {
        case ImportFormat::Own:
            return ReadExportJson(ParseJson(bytes));
        case ImportFormat::CloudJson:
            return readCloudJson(ParseJson(bytes));
        case ImportFormat::BrowserCsv:
            return readCsv(bytes, true);
        case ImportFormat::ManagerCsv:
            return readCsv(bytes, false);
    }
    throw std::invalid_argument("unknown import format");
}

}  // namespace tarnwick::transfer
