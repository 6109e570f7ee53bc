// The generated summary and custom tables, verbatim and escaped, and the
// clipboard text of a card.
#include "identity_editor/identity_form_markup.h"

#include "identity_editor/identity_clipboard.h"
#include "identity_form_fixture.h"

namespace tarnwick {
namespace {

using IdentityMarkupTest = IdentityFormFixture;

constexpr std::u16string_view kRow = u"<tr><td width=\"10%\"></td><td width=\"90%\">";

TEST_F(IdentityMarkupTest, TheSummaryWritesFilledRowsUnderTheirGroupTitles) {
    field(u"[NAME]") = u"Smith|John";
    field(u"[PHONE]") = u"555";
    field(u"[CITY]") = u"Oslo";
    field(u"[PASSWORD ANSWER]") = u"blue";
    field(u"[JOB TITLE]") = u"Not in the summary";
    record.customFields = {{u"Pet", u"Rex"}};
    const std::u16string expected =
        u"<table id=\"summary\" style=\"display:block\">"
        u"<th align=\"left\">Person</th>" +
        std::u16string(kRow) + u"SmithJohn</td></tr>" + std::u16string(kRow) +
        u"Phone:555</td></tr>"
        u"<th align=\"left\">Address</th>" +
        std::u16string(kRow) +
        u"City:Oslo</td></tr>"
        u"<th align=\"left\">Authentication</th>" +
        std::u16string(kRow) + u"password Answer:" + std::u16string(kSummarySecretMask) +
        u"</td></tr>"
        u"</table>";
    EXPECT_EQ(SummaryTable(record, IdentityMessages()), expected);
}

// The summary's texts are window texts any program can read: the password and
// the answer show as one mask, whatever their length; the question as it is.
TEST_F(IdentityMarkupTest, TheSummaryMasksThePasswordAndTheAnswerButNotTheQuestion) {
    field(u"[FAVORITE PASSWORD]") = u"x";
    field(u"[PASSWORD QUESTION]") = u"Pet?";
    field(u"[PASSWORD ANSWER]") = u"a much longer answer &<";
    const std::u16string summary = SummaryTable(record, IdentityMessages());
    const std::u16string mask(kSummarySecretMask);
    EXPECT_EQ(summary.find(u">x<"), std::u16string::npos);
    EXPECT_EQ(summary.find(u"longer"), std::u16string::npos);
    EXPECT_NE(summary.find(u"Pet?"), std::u16string::npos);
    const std::size_t first = summary.find(u":" + mask + u"</td>");
    ASSERT_NE(first, std::u16string::npos);
    EXPECT_NE(summary.find(u":" + mask + u"</td>", first + 1), std::u16string::npos)
        << "the answer is not masked alike";
    // An empty password has no row at all, so the user sees there is none.
    field(u"[FAVORITE PASSWORD]") = u"";
    field(u"[PASSWORD ANSWER]") = u"";
    EXPECT_EQ(SummaryTable(record, IdentityMessages()).find(mask), std::u16string::npos);
}

TEST_F(IdentityMarkupTest, AnEmptyCardGivesAnEmptySummaryAndTheBareBarNoNameRow) {
    EXPECT_EQ(field(u"[NAME]"), u"|Card");
    field(u"[NAME]") = u"|";
    EXPECT_EQ(SummaryTable(record, IdentityMessages()), u"<table id=\"summary\" style=\"display:block\"></table>");
    record.fields.clear();
    EXPECT_EQ(SummaryTable(record, IdentityMessages()), u"<table id=\"summary\" style=\"display:block\"></table>");
}

TEST_F(IdentityMarkupTest, SummaryValuesWithMarkupAreShownAsText) {
    field(u"[NAME]") = u"<b>Bold</b>|&amp;";
    field(u"[EMAIL]") = u"a@b.c</td></tr><tr><td><input id=\"year\">";
    view.fillFromRecord(record);
    const htmlform::Element& summary = element(u"summary");
    EXPECT_TRUE(summary.getElementsByTagName(u"b").empty());
    EXPECT_EQ(summary.getElementsByTagName(u"input").size(), 0u);
    EXPECT_NE(summary.textContent().find(u"<b>Bold</b>&amp;"), std::u16string::npos);
    EXPECT_NE(summary.textContent().find(u"Email:a@b.c</td></tr><tr><td><input id=\"year\">"), std::u16string::npos);
}

TEST_F(IdentityMarkupTest, TheCustomTableIsVerbatimWithItsNamesAndValuesEscaped) {
    const std::vector<CustomField> pairs = {{u"Pet", u"Rex"}, {u"a\"b", u"<&>"}};
    EXPECT_EQ(CustomTable(pairs, IdentityMessages()),
              u"<table id=\"custom\" style=\"display:none\" border=\"0\"><th align=\"left\">Field Name</th>"
              u"<th align=\"left\">Field Value</th>"
              u"<tr><td width=\"50%\"><input id =\"customfirst0\" type=\"text\" value=\"Pet\" "
              u"onpropertychange=\"onChange()\"/></td><td width=\"50%\"><input id =\"customsecond0\" "
              u"type=\"text\" value=\"Rex\" onpropertychange=\"onChange()\"/></td></tr>"
              u"<tr><td width=\"50%\"><input id =\"customfirst1\" type=\"text\" value=\"a&quot;b\" "
              u"onpropertychange=\"onChange()\"/></td><td width=\"50%\"><input id =\"customsecond1\" "
              u"type=\"text\" value=\"&lt;&amp;&gt;\" onpropertychange=\"onChange()\"/></td></tr>"
              u"</table>");
}

TEST_F(IdentityMarkupTest, TheClipboardTextHasEveryLineWithTheYahooIdOnTheSecondMessengerLine) {
    fillEveryTag();
    field(u"[YAHOO]") = u"john_y";
    field(u"[MSN]") = u"";
    record.customFields = {{u"Pet", u"Rex"}};
    const std::u16string text = IdentityClipboardText(record);
    EXPECT_TRUE(text.starts_with(u"姓 : Smith\n名 : John\n职位 : JOB TITLE value\n"));
    EXPECT_NE(text.find(u"\nMSN号码 : \nQQ号码 : john_y\n性别 : Male\n年龄 : AGE value\n生日 : 19800704\n"),
              std::u16string::npos);
    EXPECT_TRUE(text.ends_with(u"密码提示问题 : PASSWORD QUESTION value\n密码提示问题答案 : PASSWORD ANSWER value\n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 29);
    EXPECT_EQ(text.find(u"Rex"), std::u16string::npos);
}

TEST_F(IdentityMarkupTest, TheClipboardTextOfAnEmptyCardStillHasEveryLabel) {
    record.fields.clear();
    const std::u16string text = IdentityClipboardText(record);
    EXPECT_TRUE(text.starts_with(u"姓 : \n名 : \n职位 : \n电话 : \n"));
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 29);
}

}  // namespace
}  // namespace tarnwick
