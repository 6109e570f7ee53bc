// The identity form on the program's own page: filling, reading back, the
// name and birth-date rules, the sex radios, the tabs and the custom rows.
#include "identity_editor/identity_form_view.h"

#include "foundation/message_box.h"
#include "identity_form_fixture.h"

namespace tarnwick {
namespace {

using IdentityFormViewTest = IdentityFormFixture;

TEST_F(IdentityFormViewTest, FillPutsEveryFieldIntoItsInput) {
    fillEveryTag();
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"firstname"), u"John");
    EXPECT_EQ(value(u"lastname"), u"Smith");
    EXPECT_EQ(value(u"jobtitle"), u"JOB TITLE value");
    EXPECT_EQ(value(u"mobile"), u"MOBILE value");
    EXPECT_EQ(value(u"yahoo"), u"YAHOO value");
    EXPECT_EQ(value(u"idcardnumber"), u"ID CARD NUMBER value");
    EXPECT_EQ(value(u"website"), u"WEB SITE value");
    EXPECT_EQ(value(u"province"), u"PROVINCE value");
    EXPECT_EQ(value(u"user"), u"FAVORITE USER ID value");
    EXPECT_EQ(value(u"passwordanswer"), u"PASSWORD ANSWER value");
    EXPECT_FALSE(element(u"empty").checked());
    EXPECT_TRUE(element(u"man").checked());
    EXPECT_FALSE(element(u"woman").checked());
    // The table "address" comes before the input of that id: the input is found by its type.
    for (const htmlform::Element* input : page->getElementsByTagName(u"input")) {
        if (input->id() == u"address") {
            EXPECT_EQ(input->value(), u"ADDRESS value");
        }
    }
    EXPECT_EQ(element(u"address").localName(), u"table");
}

TEST_F(IdentityFormViewTest, ReadingBackAFilledPageGivesTheCardUnchanged) {
    fillEveryTag();
    record.customFields = {{u"Pet", u"Rex"}, {u"", u""}, {u"Shoe", u"44"}};
    const auto fields = record.fields;
    const auto custom = record.customFields;
    view.fillFromRecord(record);
    view.readBackIntoRecord(record);
    EXPECT_EQ(record.fields, fields);
    EXPECT_EQ(record.customFields, custom);
}

// With "Passwords As Stars" the two secret inputs are password inputs and are
// still filled and read back like the others; without, they are text again.
TEST_F(IdentityFormViewTest, StarsMakeThePasswordAndAnswerPasswordInputsThatStillRoundTrip) {
    view.showPasswordsAsStars(true);
    EXPECT_EQ(element(u"password").type(), u"password");
    EXPECT_EQ(element(u"passwordanswer").type(), u"password");
    EXPECT_EQ(element(u"passwordquestion").type(), u"text");
    fillEveryTag();
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"password"), u"FAVORITE PASSWORD value");
    type(u"passwordanswer", u"green");
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[FAVORITE PASSWORD]"), u"FAVORITE PASSWORD value");
    EXPECT_EQ(field(u"[PASSWORD ANSWER]"), u"green");
    view.showPasswordsAsStars(false);
    EXPECT_EQ(element(u"password").type(), u"text");
    EXPECT_EQ(element(u"passwordanswer").type(), u"text");
}

TEST_F(IdentityFormViewTest, TheFourthOfJuly1980FillsYearMonthAndDay) {
    field(u"[BIRTH DATA]") = u"19800704";
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"year"), u"1980");
    EXPECT_EQ(element(u"month").selectedIndex(), 7);
    EXPECT_EQ(value(u"month"), u"07");
    EXPECT_EQ(element(u"day").selectedIndex(), 4);
    EXPECT_EQ(value(u"day"), u"04");
}

TEST_F(IdentityFormViewTest, AnEmptyOrShortBirthDateLeavesTheSelectsOnTheirEmptyOption) {
    field(u"[BIRTH DATA]") = u"19800704";
    view.fillFromRecord(record);
    field(u"[BIRTH DATA]") = u"";
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"year"), u"");
    EXPECT_EQ(element(u"month").selectedIndex(), 0);
    EXPECT_EQ(element(u"day").selectedIndex(), 0);
    // A hand-made date of the year alone, or with a month of no option.
    field(u"[BIRTH DATA]") = u"1980";
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"year"), u"1980");
    EXPECT_EQ(element(u"month").selectedIndex(), 0);
    field(u"[BIRTH DATA]") = u"19801332";
    view.fillFromRecord(record);
    EXPECT_EQ(element(u"month").selectedIndex(), 0);
    EXPECT_EQ(element(u"day").selectedIndex(), 0);
}

TEST_F(IdentityFormViewTest, ABirthDateIsStoredOnlyWithAFourDigitYearMonthAndDay) {
    view.fillFromRecord(record);
    type(u"year", u"1975");
    page->userSelectOption(element(u"month"), 12);
    page->userSelectOption(element(u"day"), 31);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"19751231");
    type(u"year", u"975");  // three digits
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"");
    type(u"year", u"1975");
    page->userSelectOption(element(u"month"), 0);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"");
    page->userSelectOption(element(u"month"), 2);
    page->userSelectOption(element(u"day"), 0);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"");
    page->userSelectOption(element(u"day"), 9);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"19750209");
}

TEST_F(IdentityFormViewTest, TheNameSplitsAtTheFirstBarAndIsJoinedBack) {
    field(u"[NAME]") = u"Smith|John|Jr";
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"lastname"), u"Smith");
    EXPECT_EQ(value(u"firstname"), u"John|Jr");
    type(u"lastname", u"Smythe");
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[NAME]"), u"Smythe|John|Jr");
}

TEST_F(IdentityFormViewTest, ANameWithoutABarFillsBothInputsWithTheWholeValue) {
    field(u"[NAME]") = u"Madonna";
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"lastname"), u"Madonna");
    EXPECT_EQ(value(u"firstname"), u"Madonna");
}

TEST_F(IdentityFormViewTest, TheSexRadioFollowsTheCatalogueTextAndAForeignValueIsKept) {
    field(u"[SEX]") = u"Female";
    view.fillFromRecord(record);
    EXPECT_TRUE(element(u"woman").checked());
    page->userClickRadio(element(u"empty"));
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[SEX]"), u"None");
    // Written in Chinese: no radio is checked, and reading back keeps the value.
    field(u"[SEX]") = u"男";
    view.fillFromRecord(record);
    EXPECT_FALSE(element(u"empty").checked());
    EXPECT_FALSE(element(u"man").checked());
    EXPECT_FALSE(element(u"woman").checked());
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[SEX]"), u"男");
}

TEST_F(IdentityFormViewTest, ATagTheCardLacksShowsEmptyNotThePreviousCardsValue) {
    fillEveryTag();
    view.fillFromRecord(record);
    for (const auto* tag : {u"[FAVORITE PASSWORD]", u"[PHONE]", u"[NAME]", u"[SEX]", u"[BIRTH DATA]"}) {
        record.fields.erase(tag);
    }
    view.fillFromRecord(record);
    for (const auto* id : {u"password", u"phone", u"firstname", u"lastname", u"year"}) {
        EXPECT_EQ(value(id), u"") << std::string(id, id + 3);
    }
    EXPECT_FALSE(element(u"man").checked());
    EXPECT_EQ(element(u"month").selectedIndex(), 0);
    EXPECT_EQ(element(u"day").selectedIndex(), 0);
}

TEST_F(IdentityFormViewTest, ATagTheCardLacksIsAddedOnlyWhenItsInputIsTypedInto) {
    for (const auto* tag : {u"[PHONE]", u"[FAX]", u"[NAME]", u"[SEX]", u"[BIRTH DATA]"}) record.fields.erase(tag);
    const auto fields = record.fields;
    view.fillFromRecord(record);
    view.readBackIntoRecord(record);
    EXPECT_EQ(record.fields, fields);  // a card with fewer tags keeps exactly its own
    type(u"phone", u"555-0100");
    type(u"lastname", u"Smith");
    page->userClickRadio(element(u"woman"));
    type(u"year", u"1975");
    page->userSelectOption(element(u"month"), 12);
    page->userSelectOption(element(u"day"), 31);
    view.showTab(IdentityTab::Summary, record);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[PHONE]"), u"555-0100");
    EXPECT_EQ(field(u"[NAME]"), u"Smith|");
    EXPECT_EQ(field(u"[SEX]"), u"Female");
    EXPECT_EQ(field(u"[BIRTH DATA]"), u"19751231");
    EXPECT_EQ(record.fields.count(u"[FAX]"), 0u);
}

TEST_F(IdentityFormViewTest, ANameOrBirthDateInAnotherFormIsKeptUnlessEdited) {
    for (const auto* date : {u"1980-07-04", u"1980"}) {
        field(u"[NAME]") = u"Madonna";
        field(u"[BIRTH DATA]") = date;
        view.fillFromRecord(record);
        type(u"phone", u"555-0100");
        view.showTab(IdentityTab::Summary, record);
        view.readBackIntoRecord(record);
        EXPECT_EQ(field(u"[NAME]"), u"Madonna");
        EXPECT_EQ(field(u"[BIRTH DATA]"), date);
    }
    // Once edited, the name is joined again from both inputs.
    type(u"lastname", u"Ciccone");
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[NAME]"), u"Ciccone|Madonna");
    // An edit made before a Summary refill is still the card's after it.
    field(u"[NAME]") = u"Last|First";
    view.fillFromRecord(record);
    type(u"lastname", u"NewLast");
    view.showTab(IdentityTab::Summary, record);
    view.readBackIntoRecord(record);
    EXPECT_EQ(field(u"[NAME]"), u"NewLast|First");
}

TEST_F(IdentityFormViewTest, FillShowsTheSummaryAloneAndEachTabShowsItsTable) {
    view.fillFromRecord(record);
    for (const auto* id : {u"person", u"business", u"address", u"safequestion", u"custom"}) {
        EXPECT_EQ(element(id).styleDisplay(), u"none") << std::string(id, id + 3);
    }
    EXPECT_TRUE(element(u"summary").isDisplayed());
    view.showTab(IdentityTab::Address, record);
    EXPECT_EQ(element(u"address").localName(), u"table");
    EXPECT_EQ(element(u"address").styleDisplay(), u"block");
    EXPECT_EQ(element(u"summary").styleDisplay(), u"none");
    EXPECT_EQ(element(u"person").styleDisplay(), u"none");
    view.showTab(IdentityTab::Custom, record);
    EXPECT_EQ(element(u"custom").styleDisplay(), u"block");
    EXPECT_EQ(element(u"address").styleDisplay(), u"none");
}

TEST_F(IdentityFormViewTest, SwitchingToSummaryCarriesTheEditsIntoTheCardAndTheSummary) {
    view.fillFromRecord(record);
    view.showTab(IdentityTab::Person, record);
    type(u"phone", u"555-0100");
    view.showTab(IdentityTab::Summary, record);
    EXPECT_EQ(field(u"[PHONE]"), u"555-0100");
    EXPECT_NE(element(u"summary").innerHtml().find(u"Phone:555-0100"), std::u16string::npos);
    EXPECT_EQ(element(u"person").styleDisplay(), u"none");
}

TEST_F(IdentityFormViewTest, DeletingWithTheTwelfthRowsValueFocusedRemovesTheTwelfthPair) {
    record.customFields.clear();
    for (int i = 0; i < 12; ++i) {
        const std::u16string n(1, static_cast<char16_t>(u'a' + i));
        record.customFields.push_back({u"name " + n, u"value " + n});
    }
    view.fillFromRecord(record);
    view.showTab(IdentityTab::Custom, record);
    page->setActiveElement(&element(u"customsecond11"));
    EXPECT_TRUE(view.deleteCustomField(record, prompts, 0x99));
    ASSERT_EQ(record.customFields.size(), 11u);
    EXPECT_EQ(record.customFields.back().name, u"name k");
    EXPECT_EQ(page->getElementById(u"customfirst11"), nullptr);
    EXPECT_EQ(value(u"customsecond10"), u"value k");
    EXPECT_EQ(element(u"custom").styleDisplay(), u"block");
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(IdentityFormViewTest, DeletingWithNoInputFocusedWarnsAndChangesNothing) {
    view.fillFromRecord(record);
    const auto before = record.customFields;
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(view.deleteCustomField(record, prompts, 0x99));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].owner, 0x99u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Warning");
    EXPECT_EQ(prompts.shown()[0].style, kMbOk | kMbIconWarning);
    EXPECT_EQ(prompts.shown()[0].text,
              u"Field to delete is not selected.\nClick the field to be deleted and "
              u"then select'Edit'->'Delete Custom Field'");
    EXPECT_EQ(record.customFields, before);
}

TEST_F(IdentityFormViewTest, AddingAFieldKeepsWhatWasTypedIntoTheCustomRows) {
    record.customFields = {{u"Pet", u""}};
    view.fillFromRecord(record);
    view.showTab(IdentityTab::Custom, record);
    type(u"customsecond0", u"Rex");
    view.addCustomField(record);
    EXPECT_EQ(record.customFields, (std::vector<CustomField>{{u"Pet", u"Rex"}, {u"", u""}}));
    EXPECT_EQ(value(u"customsecond0"), u"Rex");
    EXPECT_EQ(value(u"customfirst1"), u"");
    EXPECT_EQ(element(u"custom").styleDisplay(), u"block");
}

TEST_F(IdentityFormViewTest, CustomNamesAndValuesWithMarkupComeBackExactly) {
    const std::u16string name = u"a\"b<c>&amp;'d";
    const std::u16string text = u"</td></tr><script>x</script>\r\n\ttail \"";
    record.customFields = {{name, text}, {text, name}};
    view.fillFromRecord(record);
    EXPECT_EQ(value(u"customfirst0"), name);
    EXPECT_EQ(value(u"customsecond0"), text);
    view.readBackIntoRecord(record);
    EXPECT_EQ(record.customFields, (std::vector<CustomField>{{name, text}, {text, name}}));
    EXPECT_EQ(page->getElementsByTagName(u"script").size(), 1u);  // the page's own only
}

class CountingHost : public htmlform::DocumentHost {
public:
    void onUserEdit(htmlform::Element&) override { ++edits; }
    int edits = 0;
};

TEST_F(IdentityFormViewTest, FillingIsNoEditButTypingIntoAnyBoxOrCustomRowIs) {
    CountingHost host;
    page->setHost(&host);
    fillEveryTag();
    record.customFields = {{u"Pet", u"Rex"}};
    view.fillFromRecord(record);
    view.showTab(IdentityTab::Summary, record);
    EXPECT_EQ(host.edits, 0);
    type(u"phone", u"1");
    type(u"customsecond0", u"Max");
    page->userSelectOption(element(u"day"), 3);
    page->userClickRadio(element(u"woman"));
    EXPECT_EQ(host.edits, 4);
}

TEST(IdentityTabs, TitlesInTheTabViewsOrder) {
    std::vector<std::u16string> titles;
    for (const std::u16string_view key : kIdentityTabTitleKeys) titles.push_back(IdentityMessages().Lookup(key));
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"Summary", u"Person", u"Business", u"Address", u"Authentication",
                                                   u"Custom"}));
}

TEST(TrailingNumber, TheDigitsAtTheEndOfAnId) {
    EXPECT_EQ(TrailingNumber(u"customsecond11"), 11u);
    EXPECT_EQ(TrailingNumber(u"customfirst0"), 0u);
    EXPECT_EQ(TrailingNumber(u"firstname"), std::nullopt);
    EXPECT_EQ(TrailingNumber(u""), std::nullopt);
    EXPECT_EQ(TrailingNumber(u"custom99999999999999999999"), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
