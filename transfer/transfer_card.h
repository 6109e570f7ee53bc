// A card on its way in or out of a user's folder, whatever file it came from
// or goes to: where it lives, what it is called and everything it holds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cards/identity_record.h"

namespace tarnwick::transfer {

struct TransferField {
    std::u16string name;
    std::u16string type;
    std::u16string value;
    bool operator==(const TransferField&) const = default;
};

struct TransferCard {
    TransferCard() = default;
    TransferCard(const TransferCard&) = default;
    TransferCard(TransferCard&&) = default;
    TransferCard& operator=(const TransferCard&) = default;
    TransferCard& operator=(TransferCard&&) = default;
    // The values are secrets: wiped when the card goes.
    ~TransferCard();

    std::vector<std::u16string> folder;  // below the user's folder, outermost first
    bool identity = false;
    std::u16string name;  // the file name without its extension
    bool isProtected = false;
    bool isDefault = false;  // passcards only
    // A passcard's.
    std::u16string matchKey;
    std::u16string url;
    std::vector<TransferField> fields;
    // An identity card's: tag -> value, and the custom pairs in order.
    std::map<std::u16string, std::u16string> tags;
    std::vector<CustomField> custom;
};

// "Work/Mail/Name" as the report shows a card.
std::string CardLabel(const std::vector<std::u16string>& folder, const std::u16string& name);

}  // namespace tarnwick::transfer
