#include "identity_editor/identity_form_view.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "foundation/message_box.h"
#include "foundation/secret_text.h"
#include "identity_editor/identity_form_markup.h"
#include "foundation/catalogue/catalogue_keys.h"
#include "cards/identity_tags.h"

namespace tarnwick {
namespace {

using htmlform::Element;
namespace tag = identity_tag;

struct TextBinding {
    std::u16string_view id;
    std::u16string_view tag;
};

// The text inputs bound one to one; the name, the year and the custom rows are bound apart.
constexpr std::array<TextBinding, 25> kTextBindings = {{
    {u"jobtitle", tag::kJobTitle},
    {u"phone", tag::kPhone},
    {u"hometel", tag::kHomeTel},
    {u"worktel", tag::kWorkTel},
    {u"mobile", tag::kMobile},
    {u"fax", tag::kFax},
    {u"email", tag::kEmail},
    {u"msn", tag::kMsn},
    {u"yahoo", tag::kYahoo},
    {u"age", tag::kAge},
    {u"income", tag::kIncome},
    {u"idcardtype", tag::kIdCardType},
    {u"idcardnumber", tag::kIdCardNumber},
    {u"companyname", tag::kCompanyName},
    {u"companyphone", tag::kCompanyPhone},
    {u"website", tag::kWebSite},
    {u"country", tag::kCountry},
    {u"province", tag::kProvince},
    {u"city", tag::kCity},
    {u"postcode", tag::kPostCode},
    {u"address", tag::kAddress},
    {u"user", tag::kFavoriteUserId},
    {u"password", tag::kFavoritePassword},
    {u"passwordquestion", tag::kPasswordQuestion},
    {u"passwordanswer", tag::kPasswordAnswer},
}};

struct RadioBinding {
    std::u16string_view id;
    std::u16string_view valueKey;
};
constexpr std::array<RadioBinding, 3> kSexRadios = {{{u"empty", catalogue_key::kLabelNone},
                                                     {u"man", catalogue_key::kLabelMale},
                                                     {u"woman", catalogue_key::kLabelFemale}}};

constexpr std::u16string_view kFirstNameId = u"firstname";
constexpr std::u16string_view kLastNameId = u"lastname";
constexpr std::u16string_view kYearId = u"year";
constexpr std::u16string_view kMonthId = u"month";
constexpr std::u16string_view kDayId = u"day";
constexpr std::u16string_view kSummaryHolderId = u"replace_summary";
constexpr std::u16string_view kCustomHolderId = u"replace_custom";
constexpr std::u16string_view kSummaryId = u"summary";
constexpr std::u16string_view kCustomId = u"custom";
// The tables of tabs 1 to 5.
constexpr std::array<std::u16string_view, 5> kTabTables = {u"person", u"business", u"address", u"safequestion",
                                                           kCustomId};
constexpr std::u16string_view kHidden = u"none";
constexpr std::u16string_view kShown = u"block";
constexpr std::u16string_view kTextType = u"text";
constexpr std::u16string_view kPasswordType = u"password";
constexpr std::u16string_view kRadioType = u"radio";
// The inputs that hold secrets: password inputs while the stars option is on.
constexpr std::array<std::u16string_view, 2> kSecretInputIds = {u"password", u"passwordanswer"};

bool holdsText(std::u16string_view type) { return type == kTextType || type == kPasswordType; }

// "[BIRTH DATA]" is year (4), month (2), day (2).
constexpr std::size_t kYearDigits = 4;
constexpr std::size_t kMonthAt = 4;
constexpr std::size_t kDayAt = 6;
constexpr std::size_t kPartDigits = 2;

std::optional<std::u16string_view> boundTag(std::u16string_view id) {
    for (const TextBinding& binding : kTextBindings) {
        if (binding.id == id) return binding.tag;
    }
    return std::nullopt;
}

std::u16string* heldValue(IdentityRecord& record, std::u16string_view tagText) {
    const auto found = record.fields.find(std::u16string(tagText));
    return found == record.fields.end() ? nullptr : &found->second;
}

const std::u16string* heldValue(const IdentityRecord& record, std::u16string_view tagText) {
    const auto found = record.fields.find(std::u16string(tagText));
    return found == record.fields.end() ? nullptr : &found->second;
}

std::u16string part(const std::u16string& text, std::size_t at, std::size_t count) {
    return at < text.size() ? text.substr(at, count) : std::u16string();
}

// A month or day select set to the option of that text; the empty first
// option when there is none.
void selectPart(Element* select, const std::u16string& text) {
    if (select == nullptr) return;
    select->setValue(text);
    if (select->selectedIndex() < 0) select->setSelectedIndex(0);
}

// The selected index as two digits; nothing for the empty option or none.
std::optional<std::u16string> selectedPart(const Element* select) {
    if (select == nullptr) return std::nullopt;
    const int index = select->selectedIndex();
    if (index <= 0) return std::nullopt;
    std::u16string digits;
    if (index < 10) digits += u'0';
    for (const char c : std::to_string(index)) digits += static_cast<char16_t>(c);
    return digits;
}

}  // namespace

std::optional<std::size_t> TrailingNumber(std::u16string_view id) {
    std::size_t start = id.size();
    while (start > 0 && id[start - 1] >= u'0' && id[start - 1] <= u'9') --start;
    const std::u16string_view digits = id.substr(start);
    // More digits than any row count could need: no row of the page.
    constexpr std::size_t kMostDigits = 9;
    if (digits.empty() || digits.size() > kMostDigits) return std::nullopt;
    std::size_t number = 0;
    for (const char16_t digit : digits) number = number * 10 + static_cast<std::size_t>(digit - u'0');
    return number;
}

IdentityFormView::IdentityFormView(htmlform::Document& document, const MessageCatalogue& catalogue)
    : document_(document),
      catalogue_(catalogue) {}

void IdentityFormView::showPasswordsAsStars(bool stars) {
    for (const std::u16string_view id : kSecretInputIds) {
        if (Element* input = document_.getElementById(id))
            input->setAttribute(u"type", stars ? kPasswordType : kTextType);
    }
}

void IdentityFormView::setDisplay(std::u16string_view id, std::u16string_view display) {
    if (Element* element = document_.getElementById(id)) element->setStyleDisplay(display);
}

void IdentityFormView::fillFromRecord(const IdentityRecord& record) { fill(record, true); }

void IdentityFormView::fill(const IdentityRecord& record, bool customTable) {
    if (Element* holder = document_.getElementById(kSummaryHolderId)) {
        holder->setInnerHtml(SummaryTable(record, catalogue_));
    }
    filled_ = {};
    // A tag the card lacks fills as the empty value, so no input keeps what
    // the previous card showed there.
    const std::u16string* name = heldValue(record, tag::kName);
    const PersonName split = name ? SplitName(*name) : PersonName{};
    const std::u16string birth = FieldValue(record.fields, tag::kBirthDate);
    const std::u16string sex = FieldValue(record.fields, tag::kSex);
    for (Element* input : document_.getElementsByTagName(u"input")) {
        const std::u16string id = input->id();
        const std::u16string_view type = input->type();
        if (type == kRadioType) {
            for (std::size_t i = 0; i < kSexRadios.size(); ++i) {
                if (kSexRadios[i].id != id) continue;
                input->setChecked(sex == catalogue_.Lookup(kSexRadios[i].valueKey));
                filled_.sexChecked[i] = input->checked();
            }
            continue;
        }
        if (!holdsText(type)) continue;
        std::optional<std::u16string> shown;
        if (id == kFirstNameId || id == kLastNameId) {
            shown = id == kFirstNameId ? split.first : split.last;
        } else if (id == kYearId) {
            shown = part(birth, 0, kYearDigits);
        } else if (const auto tagText = boundTag(id)) {
            shown = FieldValue(record.fields, *tagText);
        }
        if (!shown) continue;
        input->setValue(*shown);
        filled_.texts.insert_or_assign(id, input->value());
    }
    const bool noDate = birth.empty();
    Element* month = document_.getElementById(kMonthId);
    Element* day = document_.getElementById(kDayId);
    selectPart(month, noDate ? u"" : part(birth, kMonthAt, kPartDigits));
    selectPart(day, noDate ? u"" : part(birth, kDayAt, kPartDigits));
    filled_.monthIndex = month ? month->selectedIndex() : 0;
    filled_.dayIndex = day ? day->selectedIndex() : 0;
    if (Element* holder = customTable ? document_.getElementById(kCustomHolderId) : nullptr) {
        holder->setInnerHtml(CustomTable(record.customFields, catalogue_));
    }
    for (const std::u16string_view table : kTabTables) setDisplay(table, kHidden);
}

bool IdentityFormView::userChangedText(const Element& input) const {
    const auto found = filled_.texts.find(input.id());
    const std::u16string_view filled = found == filled_.texts.end() ? std::u16string_view() : found->second;
    return input.value() != filled;
}

void IdentityFormView::readBackIntoRecord(IdentityRecord& record) const {
    // A tag the card holds takes its input's value; a tag it lacks is added
    // only for an input the user changed, so a card with fewer tags is saved
    // with exactly its own.
    const auto store = [&record](std::u16string_view tagText, std::u16string value, bool changed) {
        if (std::u16string* held = heldValue(record, tagText)) {
            WipeText(*held);
            *held = std::move(value);
        } else if (changed) {
            record.fields.emplace(tagText, std::move(value));
        }
    };
    std::u16string firstName;
    std::u16string lastName;
    bool nameChanged = false;
    std::optional<std::u16string> checkedSex;
    bool sexChanged = false;
    for (Element* input : document_.getElementsByTagName(u"input")) {
        const std::u16string id = input->id();
        const std::u16string_view type = input->type();
        if (type == kRadioType) {
            for (std::size_t i = 0; i < kSexRadios.size(); ++i) {
                if (kSexRadios[i].id != id) continue;
                if (input->checked() != filled_.sexChecked[i]) sexChanged = true;
                if (input->checked() && !checkedSex) checkedSex = catalogue_.Lookup(kSexRadios[i].valueKey);
            }
            continue;
        }
        if (!holdsText(type)) continue;
        if (id == kFirstNameId) {
            firstName = input->value();
            nameChanged = nameChanged || userChangedText(*input);
        } else if (id == kLastNameId) {
            lastName = input->value();
            nameChanged = nameChanged || userChangedText(*input);
        } else if (const auto tagText = boundTag(id)) {
            store(*tagText, input->value(), userChangedText(*input));
        }
    }
    // With no radio checked (a value in another language) the held value stays.
    if (checkedSex) store(tag::kSex, std::move(*checkedSex), sexChanged);
    // The name and the birth date are rebuilt only from the user's edits: a
    // value in another form (no "|", a year alone) is kept as loaded.
    if (nameChanged) {
        std::u16string joined = lastName;
        joined += kNameSeparator;
        joined += firstName;
        store(tag::kName, std::move(joined), true);
    }
    const Element* year = document_.getElementById(kYearId);
    const Element* month = document_.getElementById(kMonthId);
    const Element* day = document_.getElementById(kDayId);
    const bool birthChanged = (year && userChangedText(*year)) ||
                              (month && month->selectedIndex() != filled_.monthIndex) ||
                              (day && day->selectedIndex() != filled_.dayIndex);
    if (birthChanged) {
        std::u16string date = year ? year->value() : std::u16string();
        if (date.size() != kYearDigits) date.clear();
        for (const Element* select : {month, day}) {
            if (date.empty()) break;
            const auto digits = selectedPart(select);
            date = digits ? date + *digits : std::u16string();
        }
        store(tag::kBirthDate, std::move(date), true);
    }
    readCustomFields(record);
}

void IdentityFormView::readCustomFields(IdentityRecord& record) const {
    record.clearCustomFields();
    for (std::size_t i = 0;; ++i) {
        const Element* name = document_.getElementById(CustomNameId(i));
        const Element* value = document_.getElementById(CustomValueId(i));
        if (name == nullptr || value == nullptr) break;
        record.customFields.push_back({name->value(), value->value()});
    }
}

void IdentityFormView::showTab(IdentityTab tab, IdentityRecord& record) {
    setDisplay(kSummaryId, kHidden);
    for (const std::u16string_view table : kTabTables) setDisplay(table, kHidden);
    if (tab == IdentityTab::Summary) {
        readBackIntoRecord(record);
        // The custom table was just read into the record: it stays, not rebuilt the same.
        fill(record, false);
        return;
    }
    setDisplay(kTabTables[static_cast<std::size_t>(tab) - 1], kShown);
}

void IdentityFormView::showCustomTable(const IdentityRecord& record) {
    if (Element* holder = document_.getElementById(kCustomHolderId)) {
        holder->setInnerHtml(CustomTable(record.customFields, catalogue_));
    }
    setDisplay(kCustomId, kShown);
}

void IdentityFormView::addCustomField(IdentityRecord& record) {
    // The rows typed into are read first, so the regenerated table keeps them.
    readCustomFields(record);
    record.customFields.push_back({});
    showCustomTable(record);
}

bool IdentityFormView::deleteCustomField(IdentityRecord& record, Prompts& prompts, WindowRef owner) {
    const Element* active = document_.activeElement();
    if (active == nullptr || !active->isInput()) {
        ShowMessage(prompts, owner, kWarningBox, catalogue_key::kNoCustomFieldSelected, catalogue_);
        return false;
    }
    const auto row = TrailingNumber(active->id());
    readCustomFields(record);
    if (row && *row < record.customFields.size()) {
        record.customFields.erase(record.customFields.begin() + static_cast<std::ptrdiff_t>(*row));
    }
    showCustomTable(record);
    return true;
}

}  // namespace tarnwick
