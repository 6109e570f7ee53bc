// The layout with the fixed-width measure (12 px text: 7 px a letter, 15 px a
// line; bold 8 px): rectangles of the pages' tables, rows and inputs, the
// offsetTop of passcard rows as Selected field uses it, display toggling,
// wrapping, alignment and the page's scroll size.
#include "htmlform/form_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "htmlform/computed_style.h"
#include "unit/htmlform/form_markup.h"

namespace tarnwick::htmlform {
namespace {

using test::PasscardField;

class FormLayout : public ::testing::Test {
protected:
    std::unique_ptr<Document> laidOut(std::unique_ptr<Document> page, int width = 800) {
        page->setLayoutContext(&measure, width);
        return page;
    }
    FixedTextMeasure measure;
};

TEST_F(FormLayout, FixedMeasureNumbers) {
    EXPECT_EQ(measure.measure(u"abc", {12, false}), (TextExtent{21, 15}));
    EXPECT_EQ(measure.measure(u"abc", {12, true}), (TextExtent{24, 15}));
    EXPECT_EQ(TextInputSize(measure, {12, false}, 0), (TextExtent{146, 21}));
}

TEST_F(FormLayout, IdentityTableFillsTheContentBlockWithRightAlignedLabels) {
    auto page = laidOut(test::IdentityPage());
    page->getElementById(u"person")->setStyleDisplay(u"block");
    page->ensureLayout();
    Element* table = page->getElementById(u"person");
    EXPECT_EQ(table->layoutBox().rect.x, 6);
    EXPECT_EQ(table->layoutBox().rect.y, 6);
    EXPECT_EQ(table->layoutBox().rect.width, 500);
    Element* first = page->getElementById(u"firstname");
    Element* labelCell = first->parentElement()->parentElement()->children()[0];
    // Collapsed borders, 1 px cell padding, the label column 35%, 6 px before the input column.
    EXPECT_EQ(labelCell->layoutBox().rect, (Rect{6, 6, 175, 23}));
    EXPECT_EQ(first->layoutBox().rect, (Rect{182, 7, 146, 21}));
    const TextFragment& label = labelCell->firstChild()->layoutBox().fragments.at(0);
    EXPECT_EQ(label.text, u"First Name");
    EXPECT_EQ(label.rect.right(), 6 + 175 - 6);
    EXPECT_EQ(label.rect.y, 6 + (23 - 15) / 2);
    // Rows follow each other without spacing.
    Element* last = page->getElementById(u"lastname");
    EXPECT_EQ(last->offsetTop() - first->offsetTop(), 0);  // both are measured from their cells
    EXPECT_EQ(last->parentElement()->parentElement()->offsetTop(), 23);
}

TEST_F(FormLayout, HiddenTablesDrawNothingAndShowingOneMovesWhatFollows) {
    auto page = laidOut(test::IdentityPage());
    page->ensureLayout();
    EXPECT_FALSE(page->getElementById(u"person")->isDisplayed());
    EXPECT_FALSE(page->getElementById(u"firstname")->isDisplayed());
    EXPECT_EQ(page->getElementById(u"firstname")->offsetTop(), 0);
    Element* custom = page->getElementById(u"replace_custom");
    EXPECT_EQ(custom->offsetTop(), 6);
    page->getElementById(u"business")->setStyleDisplay(u"block");
    EXPECT_EQ(custom->offsetTop(), 6 + 3 * 23);
    EXPECT_TRUE(page->getElementById(u"website")->isDisplayed());
    page->getElementById(u"business")->setStyleDisplay(u"none");
    EXPECT_EQ(custom->offsetTop(), 6);
}

TEST_F(FormLayout, CustomColumnsShareTheWidthAndHeadersAreBold) {
    auto page = laidOut(test::IdentityPage());
    page->getElementById(u"replace_custom")->setInnerHtml(test::CustomTable({{u"n", u"v"}}));
    page->getElementById(u"custom")->setStyleDisplay(u"block");
    page->ensureLayout();
    std::vector<Element*> headers = page->getElementsByTagName(u"th");
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(headers[0]->layoutBox().rect.width, 250);
    EXPECT_EQ(headers[1]->layoutBox().rect.x, 6 + 250);
    EXPECT_TRUE(headers[0]->firstChild()->layoutBox().font.bold);
    EXPECT_EQ(headers[0]->firstChild()->layoutBox().fragments.at(0).rect.x, 6 + 1);  // align="left"
    EXPECT_EQ(page->getElementById(u"customsecond0")->layoutBox().rect.x, 6 + 250 + 1);
}

TEST_F(FormLayout, PasscardRowsHaveDistinctOffsetTopsThatFindTheFocusedField) {
    auto page = laidOut(test::PasscardPage());
    std::vector<PasscardField> fields;
    for (int i = 0; i < 12; ++i) fields.push_back({u"Field" + std::u16string(1, u'a' + i), u"text", u"v"});
    fields[5].name = u"A much longer name that makes its label wider";
    page->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable(fields, false, true));
    std::vector<Element*> inputs = page->getElementsByTagName(u"input");
    std::set<int> tops;
    for (Element* input : inputs) tops.insert(input->parentElement()->parentElement()->offsetTop());
    EXPECT_EQ(tops.size(), inputs.size());
    // Selected field: the first input whose row's offsetTop is the focused one's.
    page->userFocus(inputs[7]);
    int top = page->activeElement()->parentElement()->parentElement()->offsetTop();
    std::size_t found = 0;
    while (inputs[found]->parentElement()->parentElement()->offsetTop() != top) ++found;
    EXPECT_EQ(found, 7u);
    // Rows: cell spacing 2, no padding (the page's * rule), inputs without their padding pixel: 19 high.
    Element* firstRow = inputs[0]->parentElement()->parentElement();
    EXPECT_EQ(firstRow->offsetParent()->localName(), u"table");
    EXPECT_EQ(firstRow->offsetTop(), 2);
    EXPECT_EQ(inputs[1]->parentElement()->parentElement()->offsetTop(), 2 + 19 + 2);
    EXPECT_EQ(inputs[0]->offsetHeight(), 19);
}

TEST_F(FormLayout, PasscardTableShrinksToItsContentWithBoldLabels) {
    auto page = laidOut(test::PasscardPage());
    page->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable({{u"User", u"text", u"abc"}}, false, false));
    page->ensureLayout();
    Element* table = page->getElementsByTagName(u"table")[0];
    Element* label = page->getElementsByTagName(u"td")[0];
    // Body: 6 px margin and a 1 px border; the label "User" and a no-break space in bold.
    EXPECT_EQ(table->layoutBox().rect.x, 7);
    EXPECT_EQ(label->layoutBox().rect.width, 5 * 8);
    EXPECT_TRUE(label->firstChild()->layoutBox().font.bold);
    EXPECT_EQ(label->firstChild()->layoutBox().fragments.at(0).text, u"User\u00A0");
    EXPECT_EQ(table->layoutBox().rect.width, 2 + 40 + 2 + 144 + 2);
    EXPECT_FALSE(page->getElementsByTagName(u"input")[0]->layoutBox().font.bold);
}

TEST_F(FormLayout, SummaryRowsIndentByTheirTenPercentColumn) {
    auto page = laidOut(test::IdentityPage());
    page->getElementById(u"replace_summary")
        ->setInnerHtml(
            u"<table id=\"summary\" style=\"display:block\"><th align=\"left\">Person</th><tr><td width=\"10%\"></td>"
            u"<td width=\"90%\">Phone:555</td></tr></table>");
    page->ensureLayout();
    Element* cell = page->getElementsByTagName(u"td")[1];
    // The group header shares the first column: it is at least as wide as "Person" in bold.
    EXPECT_EQ(cell->layoutBox().rect.x, 6 + std::max(50, 6 * 8 + 2));
    EXPECT_EQ(cell->firstChild()->layoutBox().fragments.at(0).text, u"Phone:555");
}

TEST_F(FormLayout, LongTextWrapsAndAlignsWithinItsBlock) {
    auto page = laidOut(Document::parse(u"<body style=\"margin:0; font-size:12px\"><div id=d align=center>"
                                        u"aaaa bbbb cccc dddd</div><br><span id=s>x<br>y</span></body>"),
                        70);
    page->ensureLayout();
    const auto& fragments = page->getElementById(u"d")->firstChild()->layoutBox().fragments;
    ASSERT_EQ(fragments.size(), 2u);
    EXPECT_EQ(fragments[0].text, u"aaaa bbbb");
    EXPECT_EQ(fragments[0].rect, (Rect{3, 0, 63, 15}));
    EXPECT_EQ(fragments[1].rect.y, 15);
    Element* span = page->getElementById(u"s");
    EXPECT_EQ(span->layoutBox().rect.y, 45);  // after the div's two lines and the blank line of the <br>
    EXPECT_EQ(span->layoutBox().rect.height, 30);
}

TEST_F(FormLayout, PageSizeCoversWideContent) {
    auto page = laidOut(Document::parse(u"<body><table width=2000><tr><td>x</td></tr></table></body>"), 300);
    PageSize size = page->ensureLayout();
    EXPECT_EQ(size.width, 8 + 2000 + 8);
    auto narrow = laidOut(Document::parse(u"<body>x</body>"), 300);
    EXPECT_EQ(narrow->ensureLayout().width, 300);
    EXPECT_EQ(narrow->ensureLayout().height, 8 + 20 + 8);  // 16 px text when the page sets none
}

TEST_F(FormLayout, ChangesInvalidateTheLayout) {
    auto page = laidOut(test::PasscardPage());
    page->ensureLayout();
    EXPECT_TRUE(page->layoutIsCurrent());
    page->body()->insertAdjacentHtml(u"beforeEnd", u"<p>x</p>");
    EXPECT_FALSE(page->layoutIsCurrent());
    page->ensureLayout();
    page->body()->setStyleDisplay(u"none");
    EXPECT_FALSE(page->layoutIsCurrent());
    EXPECT_EQ(page->ensureLayout().height, 0);
}

}  // namespace
}  // namespace tarnwick::htmlform

namespace tarnwick::htmlform {
namespace {

TEST(FormLayoutLimits, HostileSizesAreClampedNotOverflowed) {
    std::u16string markup =
        u"<body style=\"font-size:872791000000000000000px; margin:99999999999999px\">"
        u"<table width=\"99999%\" cellspacing=99999><tr>";
    for (int i = 0; i < 3000; ++i) markup += u"<td width=\"99999\" style=\"padding:9999999px\">x";
    markup += u"</table><input size=99999999 style=\"width:99999999999px\"></body>";
    auto page = Document::parse(markup);
    FixedTextMeasure measure;
    page->setLayoutContext(&measure, 800);
    PageSize size = page->ensureLayout();
    EXPECT_GT(size.width, 800);
    EXPECT_LE(size.width, 8 * Length::kMaxPixels);  // margins, table and body, each within the limit
    EXPECT_GE(size.height, 0);
}

}  // namespace
}  // namespace tarnwick::htmlform
