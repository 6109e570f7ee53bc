#include "foundation/message_catalogue.h"

namespace tarnwick {

MessageCatalogue::MessageCatalogue(std::span<const CatalogueRow> rows) {
    for (const CatalogueRow& row : rows) texts_.emplace(row.key, row.text);
}

const MessageCatalogue& MessageCatalogue::Instance() {
    // A function-local static is initialised once even when the tray's window
    // and update threads make their first lookup at the same moment.
    static const MessageCatalogue catalogue(ProgramCatalogueRows());
    return catalogue;
}

const std::u16string& MessageCatalogue::Lookup(std::u16string_view key) const {
    const auto found = texts_.find(key);
    return found == texts_.end() ? empty_ : found->second;
}

}  // namespace tarnwick
