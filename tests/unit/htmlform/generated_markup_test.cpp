// Generated rows of both editors, holding markup characters, line breaks,
// non-BMP characters, lone surrogates and empty texts, read back exactly;
// and every one of the 65,536 code units through both escapes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlform/html_escape.h"
#include "unit/htmlform/form_markup.h"

namespace tarnwick::htmlform {
namespace {

using test::PasscardField;

const std::vector<std::u16string> kHostile = {
    u"",
    u"plain",
    u"\"><input id=\"customfirst9\" value=\"injected",
    u"</td></tr></table><script>onChange()</script>",
    u"a & b &amp; &lt; &#60; &nbsp &",
    u"it's 'quoted' and \"double\"",
    u"line\r\nbreak\rlone CR\nlone LF\ttab",
    u"  leading and trailing spaces  ",
    u"\U0001F600 smile \U00010437",
    std::u16string(u"lone ") + char16_t(0xD83D) + u" high, " + char16_t(0xDE00) + u" low",
    std::u16string(u"nul") + char16_t(0) + u"inside",
    u"<!-- not a comment -->",
    u"=value onpropertychange=x",
};

// The pairs as the identity editor reads them back: customfirst i, customsecond i until one is missing.
test::Pairs ReadCustom(const Document& page) {
    test::Pairs pairs;
    for (std::size_t i = 0;; ++i) {
        std::string digits = std::to_string(i);
        std::u16string n(digits.begin(), digits.end());
        Element* first = page.getElementById(u"customfirst" + n);
        Element* second = page.getElementById(u"customsecond" + n);
        if (!first || !second) return pairs;
        pairs.emplace_back(first->value(), second->value());
    }
}

TEST(GeneratedMarkup, CustomTableRoundTripsEveryHostileText) {
    test::Pairs pairs;
    for (std::size_t i = 0; i < kHostile.size(); ++i)
        pairs.emplace_back(kHostile[i], kHostile[kHostile.size() - 1 - i]);
    auto page = test::IdentityPage();
    page->getElementById(u"replace_custom")->setInnerHtml(test::CustomTable(pairs));
    EXPECT_EQ(ReadCustom(*page), pairs);
    // Nothing was injected: two inputs a pair, no script, one custom table.
    EXPECT_EQ(page->getElementById(u"custom")->getElementsByTagName(u"input").size(), 2 * pairs.size());
    EXPECT_EQ(page->getElementsByTagName(u"script").size(), 1u);
    EXPECT_EQ(page->getElementsByTagName(u"table").size(), 5u);
}

TEST(GeneratedMarkup, CustomTableOfNoPairsHasOnlyItsHeaders) {
    auto page = test::IdentityPage();
    page->getElementById(u"replace_custom")->setInnerHtml(test::CustomTable({}));
    Element* custom = page->getElementById(u"custom");
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->styleDisplay(), u"none");
    EXPECT_EQ(custom->getElementsByTagName(u"th").size(), 2u);
    EXPECT_TRUE(ReadCustom(*page).empty());
}

// Read page: the name and current value of every input, in document order.
std::vector<std::pair<std::u16string, std::u16string>> ReadPasscard(const Document& page) {
    std::vector<std::pair<std::u16string, std::u16string>> fields;
    for (Element* input : page.getElementsByTagName(u"INPUT"))
        if (input->isInput()) fields.emplace_back(input->name(), input->value());
    return fields;
}

TEST(GeneratedMarkup, PasscardTableRoundTripsNamesValuesAndLabels) {
    std::vector<PasscardField> fields;
    for (std::size_t i = 0; i < kHostile.size(); ++i)
        fields.push_back({kHostile[i], i % 2 ? u"password" : u"text", kHostile[(i + 3) % kHostile.size()]});
    for (bool details : {false, true}) {
        auto page = test::PasscardPage();
        ASSERT_TRUE(page->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable(fields, true, details)));
        std::vector<std::pair<std::u16string, std::u16string>> read = ReadPasscard(*page);
        ASSERT_EQ(read.size(), fields.size());
        std::vector<Element*> inputs = page->getElementsByTagName(u"input");
        for (std::size_t i = 0; i < fields.size(); ++i) {
            EXPECT_EQ(read[i].first, fields[i].name) << i;
            EXPECT_EQ(read[i].second, fields[i].value) << i;
            EXPECT_EQ(inputs[i]->type(), fields[i].type) << i;
            // The label cell: the name as written (text keeps CR only through the escape).
            std::u16string label = fields[i].name + (details ? u"\u00A0:\u00A0" + fields[i].type : u"") + u"\u00A0";
            EXPECT_EQ(inputs[i]->parentElement()->previousSibling()->asElement()->textContent(), label) << i;
            EXPECT_EQ(inputs[i]->parentElement()->parentElement()->localName(), u"tr");
        }
    }
}

TEST(GeneratedMarkup, PasscardRebuildIsClearThenBuild) {
    auto page = test::PasscardPage();
    std::vector<PasscardField> fields = {{u"User", u"text", u"abc"}, {u"Password", u"password", u"x\"y"}};
    for (int round = 0; round < 3; ++round) {
        if (Node* first = page->body()->firstChild()) page->body()->removeChild(*first);
        page->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable(fields, round == 1, false));
    }
    EXPECT_EQ(page->body()->childNodes().size(), 1u);
    EXPECT_EQ(page->getElementsByTagName(u"input").size(), 2u);
    EXPECT_EQ(page->getElementsByTagName(u"input")[1]->type(), u"text");
    auto empty = test::PasscardPage();
    empty->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable({}, false, false));
    EXPECT_EQ(empty->body()->innerHtml(), u"<table></table>");
}

TEST(GeneratedMarkup, PasscardRowMatchesTheDocumentedExample) {
    EXPECT_EQ(test::PasscardTable({{u"User", u"text", u"abc"}}, false, false),
              u"<table><tr><td align=\"right\">User&nbsp;</td><td align=\"left\"><input name =\"User\" type=\"text\" "
              u"value=\"abc\" onpropertychange=\"onChange()\"></td></table>");
}

TEST(GeneratedMarkup, EveryCodeUnitSurvivesBothEscapes) {
    // Each code unit alone, doubled and between letters, as a value, a name and a label.
    std::vector<PasscardField> fields;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        char16_t unit = static_cast<char16_t>(c);
        std::u16string twice = {unit, unit};
        fields.push_back({std::u16string(1, unit), u"text", u"a" + twice + u"b"});
    }
    auto page = test::PasscardPage();
    page->body()->insertAdjacentHtml(u"beforeEnd", test::PasscardTable(fields, false, false));
    std::vector<Element*> inputs = page->getElementsByTagName(u"input");
    ASSERT_EQ(inputs.size(), fields.size());
    int wrong = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        bool ok =
            inputs[i]->name() == fields[i].name && inputs[i]->value() == fields[i].value &&
            inputs[i]->parentElement()->previousSibling()->asElement()->textContent() == fields[i].name + u"\u00A0";
        if (!ok && ++wrong < 10) ADD_FAILURE() << "code unit " << i;
    }
    EXPECT_EQ(wrong, 0);
}

TEST(GeneratedMarkup, EscapesWriteOnlyReferencesForMarkupAndLineCharacters) {
    EXPECT_EQ(EscapeText(u"a<b>&c\"'\r\n\t"), u"a&lt;b&gt;&amp;c\"'&#13;\n\t");
    EXPECT_EQ(EscapeAttribute(u"a<b>&c\"'\r\n\t"), u"a&lt;b&gt;&amp;c&quot;&#39;&#13;&#10;&#9;");
    EXPECT_EQ(EscapeAttribute(u"\u00A0\U0001F600"), u"\u00A0\U0001F600");
}

}  // namespace
}  // namespace tarnwick::htmlform
