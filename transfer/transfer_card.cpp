#include "transfer/transfer_card.h"

#include "foundation/secret_text.h"
#include "platform/utf8.h"

namespace tarnwick::transfer {

TransferCard::~TransferCard() {
    WipeText(matchKey);
    WipeText(url);
    for (TransferField& field : fields) {
        WipeText(field.name);
        WipeText(field.value);
    }
    for (auto& entry : tags) WipeText(entry.second);
    for (CustomField& field : custom) {
        WipeText(field.name);
        WipeText(field.value);
    }
}

std::string CardLabel(const std::vector<std::u16string>& folder, const std::u16string& name) {
    std::string label;
    for (const std::u16string& part : folder) label += Utf16ToUtf8(part) + "/";
    return label + Utf16ToUtf8(name);
}

}  // namespace tarnwick::transfer
