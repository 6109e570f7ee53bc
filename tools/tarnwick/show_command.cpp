// show: loads a card as the editor does and prints what it holds as one JSON object.
#include <string>

#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "foundation/text_file.h"
#include "tools/tarnwick/cli_cards.h"
#include "tools/tarnwick/cli_paths.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::cli {
namespace {

const char* jsonBool(bool value) { return value ? "true" : "false"; }

// A load's result for a card that could not be read at all.
constexpr int kCardUnreadable = -1;

// The status of a load that did not return kCardLoaded.
std::string failedStatus(int result, const CliPasswordGate& gate) {
    if (result == kCardUnreadable) return "unreadable";
    if (result == kCardDamaged) return "damaged";
    return gate.refused() ? "needs_password" : "not_owner";
}

std::string head(const char* kind, const std::string& status) {
    return std::string("{\"kind\":\"") + kind + "\",\"status\":\"" + status + "\"";
}

// A card that cannot be opened or read is unreadable, which is not damaged.
template <typename Load>
int loadOrUnreadable(Load load) {
    try {
        return load();
    } catch (const CTextFileException&) {
        return kCardUnreadable;
    }
}

int showPasscard(const std::u16string& path, CliPasswordGate& gate, CliPrompts& prompts) {
    PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
    const int result = loadOrUnreadable([&] { return record.load(path); });
    if (result != kCardLoaded) {
        std::string json = head("passcard", failedStatus(result, gate));
        // A card that failed only for want of its owner's password still tells
        // its protection and its default mark.
        if (result == kCardNotLoaded) {
            json += ",\"protected\":true,\"default\":" + std::string(jsonBool(record.isDefault(path)));
        }
        PrintLine(json + "}");
        return 1;
    }
    std::string json = head("passcard", "ok");
    json += ",\"protected\":" + std::string(jsonBool(record.protectionMarker == kProtectMarker));
    json += ",\"default\":" + std::string(jsonBool(record.defaultMarker == kDefaultMarker));
    json += ",\"matchKey\":" + JsonString(record.matchKey);
    json += ",\"url\":" + JsonString(record.url);
    json += ",\"fields\":[";
    for (std::size_t i = 0; i < record.fieldNames.size(); ++i) {
        if (i > 0) json += ',';
        json += "{\"name\":" + JsonString(record.fieldNames[i]) + ",\"type\":" + JsonString(record.fieldTypes[i]) +
                ",\"value\":" + JsonString(record.fieldValues[i]) + "}";
    }
    PrintLine(json + "]}");
    return 0;
}

int showIdentity(const std::u16string& path, CliPasswordGate& gate, CliPrompts& prompts) {
    IdentityRecord record(gate, prompts, NativeFileSystem(), IdentityMessages());
    bool isProtected = false;
    const int result =
        loadOrUnreadable([&] { return record.readProtection(path, isProtected) ? record.load(path) : kCardDamaged; });
    if (result != kCardLoaded) {
        std::string json = head("identity", failedStatus(result, gate));
        if (result == kCardNotLoaded) json += ",\"protected\":true";
        PrintLine(json + "}");
        return 1;
    }
    std::string json = head("identity", "ok");
    json += ",\"protected\":" + std::string(jsonBool(isProtected));
    json += ",\"fields\":{";
    bool first = true;
    for (const auto& [tag, value] : record.fields) {
        if (!first) json += ',';
        first = false;
        json += JsonString(tag) + ':' + JsonString(value);
    }
    json += "},\"custom\":[";
    for (std::size_t i = 0; i < record.customFields.size(); ++i) {
        if (i > 0) json += ',';
        json += "{\"name\":" + JsonString(record.customFields[i].name) +
                ",\"value\":" + JsonString(record.customFields[i].value) + "}";
    }
    PrintLine(json + "]}");
    return 0;
}

}  // namespace

int RunShow(ArgList& args) {
    std::optional<std::u16string> password = args.takeOption(u"password");
    const std::u16string path = ToCorePath(args.takePositional("FILE"));
    args.expectEnd();
    const CardFileKind kind = KindOfCard(path);
    CliPasswordGate gate(std::move(password));
    CliPrompts prompts;
    return kind == CardFileKind::Passcard ? showPasscard(path, gate, prompts) : showIdentity(path, gate, prompts);
}

}  // namespace tarnwick::cli
