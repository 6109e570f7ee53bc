#include "identity_editor/identity_form_markup.h"

#include <array>

#include "editor_common/decimal_text.h"
#include "htmlform/html_escape.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "cards/identity_tags.h"

namespace tarnwick {
namespace {

using htmlform::EscapeAttribute;
using htmlform::EscapeText;
namespace tag = identity_tag;

struct SummaryRow {
    std::u16string_view tag;
    std::u16string_view labelKey;
    bool secret = false;  // shown as the mask, never as its value
};

struct SummaryGroup {
    std::u16string_view titleKey;
    std::array<SummaryRow, 6> rows;  // unused rows have no tag
    std::size_t count;
};

// The name row of the Person group is written apart: it has no label.
constexpr std::array<SummaryGroup, 4> kGroups = {{
    {catalogue_key::kLabelPerson,
     {{{tag::kPhone, catalogue_key::kLabelPhone},
       {tag::kHomeTel, catalogue_key::kLabelHomeTel},
       {tag::kWorkTel, catalogue_key::kLabelWorkTel},
       {tag::kMobile, catalogue_key::kLabelCellTel},
       {tag::kFax, catalogue_key::kLabelFax},
       {tag::kEmail, catalogue_key::kLabelEmail}}},
     6},
    {catalogue_key::kLabelBusiness,
     {{{tag::kCompanyName, catalogue_key::kLabelCompanyName},
       {tag::kCompanyPhone, catalogue_key::kLabelCompanyTel},
       {tag::kWebSite, catalogue_key::kLabelWebSite}}},
     3},
    {catalogue_key::kLabelLocation,
     {{{tag::kCountry, catalogue_key::kLabelCountry},
       {tag::kProvince, catalogue_key::kLabelProvince},
       {tag::kCity, catalogue_key::kLabelCity},
       {tag::kPostCode, catalogue_key::kLabelPostCode},
       {tag::kAddress, catalogue_key::kLabelAddress}}},
     5},
    {catalogue_key::kLabelAuthentication,
     {{{tag::kFavoriteUserId, catalogue_key::kLabelUserName},
       {tag::kFavoritePassword, catalogue_key::kLabelPassword, true},
       {tag::kPasswordQuestion, catalogue_key::kLabelPasswordQuestion},
       {tag::kPasswordAnswer, catalogue_key::kLabelPasswordAnswer, true}}},
     4},
}};

constexpr std::u16string_view kSummaryStart = u"<table id=\"summary\" style=\"display:block\">";
constexpr std::u16string_view kGroupStart = u"<th align=\"left\">";
constexpr std::u16string_view kGroupEnd = u"</th>";
constexpr std::u16string_view kRowStart = u"<tr><td width=\"10%\"></td><td width=\"90%\">";
constexpr std::u16string_view kRowEnd = u"</td></tr>";
constexpr std::u16string_view kTableEnd = u"</table>";

constexpr std::u16string_view kCustomStart =
    u"<table id=\"custom\" style=\"display:none\" border=\"0\"><th align=\"left\">";
constexpr std::u16string_view kCustomHeadingSeparator = u"</th><th align=\"left\">";
constexpr std::u16string_view kCustomRowStart = u"<tr><td width=\"50%\"><input id =\"";
constexpr std::u16string_view kCustomValueStart = u"\" type=\"text\" value=\"";
constexpr std::u16string_view kCustomNameEnd =
    u"\" onpropertychange=\"onChange()\"/></td><td width=\"50%\"><input id =\"";
constexpr std::u16string_view kCustomRowEnd = u"\" onpropertychange=\"onChange()\"/></td></tr>";

constexpr std::u16string_view kCustomNamePrefix = u"customfirst";
constexpr std::u16string_view kCustomValuePrefix = u"customsecond";

// The name row: shown when "[NAME]" is there and is more than the bare "|".
void appendNameRow(std::u16string& html, const IdentityRecord& record, bool& headerWritten,
                   const std::u16string& title) {
    const auto found = record.fields.find(std::u16string(tag::kName));
    if (found == record.fields.end() || found->second.empty() || found->second == std::u16string(1, kNameSeparator)) {
        return;
    }
    const bool split = found->second.find(kNameSeparator) != std::u16string::npos;
    const PersonName name = SplitName(found->second);
    html += kGroupStart;
    html += title;
    html += kGroupEnd;
    headerWritten = true;
    html += kRowStart;
    html += EscapeText(split ? name.last + name.first : found->second);
    html += kRowEnd;
}

}  // namespace

PersonName SplitName(std::u16string_view name) {
    const std::size_t bar = name.find(kNameSeparator);
    if (bar == std::u16string_view::npos) return {std::u16string(name), std::u16string(name)};
    return {std::u16string(name.substr(0, bar)), std::u16string(name.substr(bar + 1))};
}

std::u16string FieldValue(const std::map<std::u16string, std::u16string>& fields, std::u16string_view tag) {
    const auto found = fields.find(std::u16string(tag));
    return found == fields.end() ? std::u16string() : found->second;
}

std::u16string CustomNameId(std::size_t index) { return std::u16string(kCustomNamePrefix) + DecimalText(index); }
std::u16string CustomValueId(std::size_t index) { return std::u16string(kCustomValuePrefix) + DecimalText(index); }

std::u16string SummaryTable(const IdentityRecord& record, const MessageCatalogue& catalogue) {
    std::u16string html(kSummaryStart);
    for (const SummaryGroup& group : kGroups) {
        const std::u16string& title = catalogue.Lookup(group.titleKey);
        bool headerWritten = false;
        if (group.titleKey == catalogue_key::kLabelPerson) appendNameRow(html, record, headerWritten, title);
        for (std::size_t i = 0; i < group.count; ++i) {
            const std::u16string value = FieldValue(record.fields, group.rows[i].tag);
            if (value.empty()) continue;
            if (!headerWritten) {
                html += kGroupStart;
                html += title;
                html += kGroupEnd;
                headerWritten = true;
            }
            html += kRowStart;
            html += catalogue.Lookup(group.rows[i].labelKey);
            html += u':';
            html += group.rows[i].secret ? std::u16string(kSummarySecretMask) : EscapeText(value);
            html += kRowEnd;
        }
    }
    html += kTableEnd;
    return html;
}

std::u16string CustomTable(const std::vector<CustomField>& customFields, const MessageCatalogue& catalogue) {
    std::u16string html(kCustomStart);
    html += catalogue.Lookup(catalogue_key::kLabelFieldName);
    html += kCustomHeadingSeparator;
    html += catalogue.Lookup(catalogue_key::kLabelFieldValue);
    html += kGroupEnd;
    for (std::size_t i = 0; i < customFields.size(); ++i) {
        html += kCustomRowStart;
        html += CustomNameId(i);
        html += kCustomValueStart;
        html += EscapeAttribute(customFields[i].name);
        html += kCustomNameEnd;
        html += CustomValueId(i);
        html += kCustomValueStart;
        html += EscapeAttribute(customFields[i].value);
        html += kCustomRowEnd;
    }
    html += kTableEnd;
    return html;
}

}  // namespace tarnwick
