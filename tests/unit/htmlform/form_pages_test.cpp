// The two form pages as the editors find them: every element, id, label,
// option and script function, in order, hidden where they start hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "htmlform/ascii_text.h"
#include "unit/htmlform/form_markup.h"

namespace tarnwick::htmlform {
namespace {

using test::IdentityPage;
using test::PasscardPage;

struct LabelledInput {
    std::u16string label;
    std::u16string id;
};

// The label cell's text and the input's id of each row of a table.
std::vector<LabelledInput> Rows(Element& table) {
    std::vector<LabelledInput> rows;
    for (Element* row : table.getElementsByTagName(u"tr")) {
        std::vector<Element*> cells = row->children();
        if (cells.size() != 2) continue;
        std::vector<Element*> inputs = cells[1]->getElementsByTagName(u"input");
        rows.push_back({CollapseHtmlSpace(cells[0]->textContent()), inputs.empty() ? u"" : inputs[0]->id()});
    }
    return rows;
}

void ExpectTextRows(Element& table, const std::vector<LabelledInput>& expected) {
    std::vector<LabelledInput> rows = Rows(table);
    ASSERT_EQ(rows.size(), expected.size()) << test::Narrow(table.id());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, expected[i].label) << i;
        EXPECT_EQ(rows[i].id, expected[i].id) << i;
        Element* input = table.document().getElementById(expected[i].id);
        ASSERT_NE(input, nullptr) << test::Narrow(expected[i].id);
        if (input->type() == u"text") {
            EXPECT_EQ(input->getAttribute(u"onpropertychange"), u"onChange()");
        }
    }
}

TEST(IdentityFormPage, BodyHoldsTheSummaryFourHiddenTablesAndTheCustomDivisionInOrder) {
    auto page = IdentityPage();
    EXPECT_EQ(page->title(), u"Tarnwick");
    std::vector<std::u16string> ids;
    for (Element* child : page->body()->children()) ids.push_back(child->localName() + u"#" + child->id());
    EXPECT_EQ(ids, (std::vector<std::u16string>{u"div#replace_summary", u"table#person", u"table#business",
                                                u"table#address", u"table#safequestion", u"div#replace_custom"}));
    for (const char16_t* hidden : {u"person", u"business", u"address", u"safequestion"})
        EXPECT_EQ(page->getElementById(hidden)->styleDisplay(), u"none");
    EXPECT_TRUE(page->getElementById(u"replace_summary")->childNodes().empty());
    EXPECT_TRUE(page->getElementById(u"replace_custom")->childNodes().empty());
}

TEST(IdentityFormPage, PersonTableHasEveryFieldWithItsLabel) {
    auto page = IdentityPage();
    std::vector<LabelledInput> rows = Rows(*page->getElementById(u"person"));
    std::vector<LabelledInput> expected = {{u"First Name", u"firstname"},
                                           {u"Last Name", u"lastname"},
                                           {u"Job Title", u"jobtitle"},
                                           {u"Phone", u"phone"},
                                           {u"Home Tel", u"hometel"},
                                           {u"Work Tel", u"worktel"},
                                           {u"Cell Tel", u"mobile"},
                                           {u"Fax", u"fax"},
                                           {u"Email", u"email"},
                                           {u"MSN ID", u"msn"},
                                           {u"Yahoo ID", u"yahoo"},
                                           {u"Sex", u"empty"},
                                           {u"Age", u"age"},
                                           {u"Birth Date", u"year"},
                                           {u"Income", u"income"},
                                           {u"ID Card Type", u"idcardtype"},
                                           {u"ID Card Number", u"idcardnumber"}};
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, expected[i].label) << i;
        EXPECT_EQ(rows[i].id, expected[i].id) << i;
    }
}

TEST(IdentityFormPage, OtherTablesHaveTheirFields) {
    auto page = IdentityPage();
    ExpectTextRows(*page->getElementById(u"business"),
                   {{u"Company Name", u"companyname"}, {u"Company Tel", u"companyphone"}, {u"Web Site", u"website"}});
    ExpectTextRows(*page->getElementById(u"address"), {{u"Country", u"country"},
                                                       {u"Region", u"province"},
                                                       {u"City", u"city"},
                                                       {u"PostCode", u"postcode"},
                                                       {u"Address", u"address"}});
    ExpectTextRows(*page->getElementById(u"safequestion"), {{u"User Name", u"user"},
                                                            {u"Password", u"password"},
                                                            {u"Password Question", u"passwordquestion"},
                                                            {u"Password Answer", u"passwordanswer"}});
    EXPECT_EQ(page->getElementById(u"password")->type(), u"text");
}

TEST(IdentityFormPage, SexRadiosStartWithNoneCheckedAndCallCheckradio) {
    auto page = IdentityPage();
    Element* cell = page->getElementById(u"empty")->parentElement();
    EXPECT_EQ(CollapseHtmlSpace(cell->textContent()), u"None Male Female");
    const std::pair<const char16_t*, bool> radios[] = {{u"empty", true}, {u"man", false}, {u"woman", false}};
    for (const auto& [id, checked] : radios) {
        Element* radio = page->getElementById(id);
        EXPECT_EQ(radio->type(), u"radio");
        EXPECT_EQ(radio->checked(), checked) << test::Narrow(id);
        EXPECT_EQ(radio->getAttribute(u"onclick"), u"checkradio(this);onChange()");
        EXPECT_EQ(radio->parentElement(), cell);
    }
}

TEST(IdentityFormPage, BirthDateIsYearThenMonthAndDaySelectsThenTheHint) {
    auto page = IdentityPage();
    Element* year = page->getElementById(u"year");
    Element* cell = year->parentElement();
    std::vector<Element*> controls = cell->children();
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0], year);
    EXPECT_EQ(controls[1]->id(), u"month");
    EXPECT_EQ(controls[2]->id(), u"day");
    EXPECT_NE(cell->textContent().find(u"(YYYY-MM-DD)"), std::u16string::npos);
    for (auto [id, count] : {std::pair{u"month", 12}, std::pair{u"day", 31}}) {
        Element* select = page->getElementById(id);
        EXPECT_EQ(select->getAttribute(u"onchange"), u"onChange()");
        std::vector<Element*> options = select->options();
        ASSERT_EQ(options.size(), static_cast<std::size_t>(count + 1));
        EXPECT_EQ(options[0]->value(), u"");
        EXPECT_EQ(select->selectedIndex(), 0);
        for (int i = 1; i <= count; ++i) {
            std::u16string two = {static_cast<char16_t>(u'0' + i / 10), static_cast<char16_t>(u'0' + i % 10)};
            EXPECT_EQ(options[static_cast<std::size_t>(i)]->value(), two);
        }
    }
}

TEST(IdentityFormPage, InputsInDocumentOrderAreTheBoundFields) {
    auto page = IdentityPage();
    std::vector<std::u16string> ids;
    for (Element* input : page->getElementsByTagName(u"INPUT")) ids.push_back(input->id());
    EXPECT_EQ(ids, (std::vector<std::u16string>{
                       u"firstname",     u"lastname",    u"jobtitle",     u"phone",   u"hometel",  u"worktel",
                       u"mobile",        u"fax",         u"email",        u"msn",     u"yahoo",    u"empty",
                       u"man",           u"woman",       u"age",          u"year",    u"income",   u"idcardtype",
                       u"idcardnumber",  u"companyname", u"companyphone", u"website", u"country",  u"province",
                       u"city",          u"postcode",    u"address",      u"user",    u"password", u"passwordquestion",
                       u"passwordanswer"}));
}

TEST(IdentityFormPage, ScriptHasThePageFunctionsAndStyleTheFontsAndWidths) {
    auto page = IdentityPage();
    std::vector<Element*> scripts = page->getElementsByTagName(u"script");
    ASSERT_EQ(scripts.size(), 1u);
    std::u16string script = scripts[0]->textContent();
    for (const char16_t* function : {u"function onChange()", u"function checkradio(", u"function onLoad()",
                                     u"window.navigate(\"change\")", u"onselectstart", u"oncontextmenu"})
        EXPECT_NE(script.find(function), std::u16string::npos) << test::Narrow(function);
    EXPECT_EQ(page->body()->getAttribute(u"onload"), u"onLoad()");
    FixedTextMeasure measure;
    page->setLayoutContext(&measure, 800);
    page->getElementById(u"person")->setStyleDisplay(u"block");
    page->ensureLayout();
    EXPECT_EQ(page->body()->layoutBox().rect, (Rect{6, 6, 500, page->body()->layoutBox().rect.height}));
    EXPECT_EQ(page->getElementById(u"person")->offsetWidth(), 500);
    EXPECT_EQ(page->getElementById(u"firstname")->layoutBox().font, (FontSpec{12, false}));
}

TEST(PasscardFormPage, IsPlainAsciiWithAnEmptyBody) {
    std::u16string text = test::ReadPage(TARNWICK_PASSCARD_PAGE);
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }));
    auto page = PasscardPage();
    EXPECT_EQ(page->title(), u"Tarnwick");
    EXPECT_EQ(page->body()->firstChild(), nullptr);
    EXPECT_EQ(page->body()->getAttribute(u"onload"), u"onLoad()");
    std::vector<Element*> metas = page->getElementsByTagName(u"meta");
    EXPECT_TRUE(std::any_of(metas.begin(), metas.end(), [](Element* meta) {
        return meta->getAttribute(u"http-equiv") == u"MSThemeCompatible" && meta->getAttribute(u"content") == u"Yes";
    }));
}

TEST(PasscardFormPage, ScriptHasTheFourFunctionsAndStyleTheRules) {
    auto page = PasscardPage();
    std::vector<Element*> scripts = page->getElementsByTagName(u"script");
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(scripts[0]->getAttribute(u"language"), u"JScript");
    std::u16string script = scripts[0]->textContent();
    for (const char16_t* function : {u"function onSelect1()", u"function onContextMenu()", u"function onLoad()",
                                     u"function onChange()", u"details = 0"})
        EXPECT_NE(script.find(function), std::u16string::npos) << test::Narrow(function);
    std::vector<std::u16string> selectors;
    for (const StyleRule& rule : page->styleSheet().rules())
        selectors.push_back(rule.selector.tag +
                            (rule.selector.className.empty() ? u"" : u"." + rule.selector.className));
    EXPECT_EQ(selectors, (std::vector<std::u16string>{u"", u"body", u"input", u"table", u".fontUrl"}));
    EXPECT_EQ(page->styleSheet().rules()[3].declarations,
              (std::vector<StyleDeclaration>{{u"font-size", u"12px"}, {u"font-weight", u"bold"}}));
}

}  // namespace
}  // namespace tarnwick::htmlform
