// The identity form on its page: filling the inputs from the card, reading
// them back, the generated summary and custom tables, the six tabs, and Add
// and Delete Custom Field. The editor window owns the page-ready, card-open
// and modified flags; these calls say when the card became modified.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_catalogue.h"
#include "htmlform/document.h"
#include "cards/identity_record.h"
#include "platform/prompts.h"

namespace tarnwick {

// The tab pages, in the tab view's order.
enum class IdentityTab { Summary = 0, Person, Business, Address, Authentication, Custom };
inline constexpr int kIdentityTabCount = 6;
// The tabs' titles (catalogue keys), in the same order.
inline constexpr std::array<std::u16string_view, kIdentityTabCount> kIdentityTabTitleKeys = {
    catalogue_key::kLabelSummary,  catalogue_key::kLabelPerson,         catalogue_key::kLabelBusiness,
    catalogue_key::kLabelLocation, catalogue_key::kLabelAuthentication, catalogue_key::kLabelCustom};

class IdentityFormView {
public:
    explicit IdentityFormView(htmlform::Document& document,
                              const MessageCatalogue& catalogue = MessageCatalogue::Instance());

    // The Password and Password Answer inputs become password inputs (their
    // text hidden) with `stars`, text inputs without: the user's "Passwords As
    // Stars" option.
    void showPasswordsAsStars(bool stars);

    // The summary regenerated, every input filled (empty for a tag the card
    // lacks, so nothing of the previous card stays), the birth-date selects
    // set, the custom table regenerated, and every table but the summary
    // hidden. What was put into each input is remembered for read-back.
    void fillFromRecord(const IdentityRecord& record);

    // Every input back into the tag the card has for it; a tag the card lacks
    // is added only when the user changed its input since the last fill.
    // "[NAME]" and "[BIRTH DATA]" are rebuilt only when the user changed one
    // of their inputs, so a value in another form is kept as loaded. The
    // custom pairs are replaced by the page's rows.
    void readBackIntoRecord(IdentityRecord& record) const;

    // A tab became active: every table hidden; the Summary is read back and
    // filled again, any other page shows its table.
    void showTab(IdentityTab tab, IdentityRecord& record);

    // Add Custom Field: a pair (empty, empty) after the others, shown on the
    // Custom table. What was typed into the custom rows is kept. The card is
    // then modified.
    void addCustomField(IdentityRecord& record);

    // Delete Custom Field: the pair of the focused input's row (the number
    // its id ends with). With no input focused, the warning is shown (owner
    // `owner`) and false returned: nothing changed. Otherwise true: the card
    // is modified (even when no pair had that number).
    bool deleteCustomField(IdentityRecord& record, Prompts& prompts, WindowRef owner);

private:
    // The fill, with the custom table rebuilt from the record or left as it is.
    void fill(const IdentityRecord& record, bool customTable);

    // What the last fill put into the bound inputs; the user changed an
    // input when it no longer holds this.
    struct FilledState {
        std::map<std::u16string, std::u16string, std::less<>> texts;  // by input id
        std::array<bool, 3> sexChecked{};                             // in the radios' order
        int monthIndex = 0;
        int dayIndex = 0;
    };

    bool userChangedText(const htmlform::Element& input) const;
    void readCustomFields(IdentityRecord& record) const;
    void showCustomTable(const IdentityRecord& record);
    void setDisplay(std::u16string_view id, std::u16string_view display);

    htmlform::Document& document_;
    const MessageCatalogue& catalogue_;
    FilledState filled_;
};

// The number an id ends with ("customsecond11" gives 11); nothing when it
// ends with no digit or the number is too large to be a row.
std::optional<std::size_t> TrailingNumber(std::u16string_view id);

}  // namespace tarnwick
