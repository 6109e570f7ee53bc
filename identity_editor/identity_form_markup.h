// The markup the Identity Editor generates into its form page: the summary
// table (the card's filled fields by group, secrets masked) and the custom-field table (one
// row of two inputs per pair). Values and names are escaped, so that what a
// card holds is shown as text and read back exactly as it was.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/message_catalogue.h"
#include "cards/identity_record.h"

namespace tarnwick {

// "[NAME]" is last name, "|", first name. A value without "|" (a hand-made
// file) gives the whole value as both.
struct PersonName {
    std::u16string last;
    std::u16string first;
};
PersonName SplitName(std::u16string_view name);

// The value of a tag, or the empty text when the card has no such tag.
std::u16string FieldValue(const std::map<std::u16string, std::u16string>& fields, std::u16string_view tag);

// The ids of custom pair i's inputs: "customfirst" and "customsecond" followed by i.
std::u16string CustomNameId(std::size_t index);
std::u16string CustomValueId(std::size_t index);

// What the summary shows for a filled password or password answer. Its text
// is a static control's window text, which any program on the desktop can
// read; the mask is as long for every value, so it tells no length either.
inline constexpr std::u16string_view kSummarySecretMask = u"\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF";

std::u16string SummaryTable(const IdentityRecord& record,
                            const MessageCatalogue& catalogue = MessageCatalogue::Instance());
std::u16string CustomTable(const std::vector<CustomField>& customFields,
                           const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
