// The lossless export of a user's cards, and the reading of that file back.
// The file is UTF-8 JSON:
//   {"format":"tarnwick-export","version":1,"cards":[CARD,...],"leftOut":[{"folder":[...],"kind":K,"name":N,"reason":R},...]}
// where a passcard is
//   {"folder":[...],"kind":"passcard","name":N,"protected":B,"default":B,"matchKey":T,"url":T,
//    "fields":[{"name":T,"type":T,"value":T},...]}
// and an identity card
//   {"folder":[...],"kind":"identity","name":N,"protected":B,"fields":{"[TAG]":T,...},"custom":[{"name":T,"value":T},...]}
#pragma once

#include <string>
#include <vector>

#include "foundation/password_gate.h"
#include "platform/file_system.h"
#include "transfer/json_reader.h"
#include "transfer/transfer_card.h"

namespace tarnwick::transfer {

inline constexpr std::u16string_view kExportFormatName = u"tarnwick-export";

struct LeftOutCard {
    std::vector<std::u16string> folder;
    bool identity = false;
    std::u16string name;
    std::string reason;  // "protected", "damaged", "unreadable", "not_owner"
};

struct UserCards {
    std::vector<TransferCard> cards;  // sorted by folder, then name, then kind
    std::vector<LeftOutCard> leftOut;
};

// Every card below `userFolder` (hidden files and folders aside). A protected
// card is read only when `withPassword`: the gate then holds the user's
// primary password; without it the card is left out, named in leftOut.
// A card of another user is left out as "not_owner", without a message.
UserCards ReadUserCards(const std::u16string& userFolder, FileSystem& files, PasswordGate& gate, bool withPassword);

std::string ExportJson(const UserCards& cards);

struct ParsedCards {
    std::vector<TransferCard> cards;
    std::vector<std::string> skipped;  // what was not taken and why, one line each
};

// The cards of an export file (JsonError when it is no JSON at all). A card
// entry that is not as written above is skipped with its number and the reason.
ParsedCards ReadExportJson(const JsonValue& document);

}  // namespace tarnwick::transfer
