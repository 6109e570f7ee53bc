// The parser on the markup Tarnwick writes and on markup it must survive:
// attribute forms, references, unclosed rows, cells straight in a table,
// raw text, line ends, and tag soup that must neither crash nor lose text.
#include "htmlform/html_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "htmlform/document.h"
#include "unit/htmlform/form_markup.h"

namespace tarnwick::htmlform {
namespace {

std::unique_ptr<Document> Body(std::u16string_view html) {
    return Document::parse(u"<html><body>" + std::u16string(html) + u"</body></html>");
}

// The element structure under `element`, as "tag(child,child)".
std::u16string Shape(const Element& element) {
    std::u16string out = element.localName();
    std::vector<Element*> children = element.children();
    if (children.empty()) return out;
    out += u'(';
    for (std::size_t i = 0; i < children.size(); ++i) out += (i ? u"," : u"") + Shape(*children[i]);
    return out + u')';
}

TEST(HtmlParser, AttributesQuotedUnquotedSpacedAndInAnyCase) {
    auto page = Body(
        u"<INPUT ID =\"a\" Name = 'b' value=c TYPE=PassWord onPropertyChange=\"onChange()\">"
        u"<input id=d value=\"x\" value=\"second\" disabled>");
    Element* a = page->getElementById(u"a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->tagName(), u"INPUT");
    EXPECT_EQ(a->name(), u"b");
    EXPECT_EQ(a->value(), u"c");
    EXPECT_EQ(a->type(), u"password");
    EXPECT_EQ(a->getAttribute(u"ONPROPERTYCHANGE"), u"onChange()");
    Element* d = page->getElementById(u"d");
    EXPECT_EQ(d->value(), u"x");  // the first of two values counts
    EXPECT_TRUE(d->hasAttribute(u"disabled"));
    EXPECT_EQ(d->getAttribute(u"disabled"), u"");
    EXPECT_EQ(page->getElementsByTagName(u"input").size(), 2u);
    EXPECT_EQ(page->getElementsByTagName(u"InPuT").size(), 2u);
    // An id set in any case is found; with two equal ids the first in document order.
    page->getElementsByTagName(u"body").front()->setInnerHtml(u"<p><b Id=e>1</b></p><i id=e>2</i>");
    EXPECT_EQ(page->getElementById(u"e")->textContent(), u"1");
    page->getElementsByTagName(u"i").front()->setAttribute(u"ID", u"f");
    EXPECT_EQ(page->getElementById(u"f")->localName(), u"i");
    EXPECT_EQ(page->getElementById(u"a"), nullptr);
}

TEST(HtmlParser, IdsFollowEveryChangeOfTheTree) {
    auto page = Body(u"<div id=box><p id=one></p></div><p id=two></p>");
    Element* box = page->getElementById(u"box");
    Element* two = page->getElementById(u"two");
    // A new element with a taken id comes first in document order only when it is first.
    box->insertAdjacentHtml(u"beforeend", u"<b id=two></b>");
    EXPECT_EQ(page->getElementById(u"two"), box->children().back());
    box->setInnerHtml(u"<i id=three></i>");
    EXPECT_EQ(page->getElementById(u"one"), nullptr);
    EXPECT_EQ(page->getElementById(u"two"), two);
    EXPECT_NE(page->getElementById(u"three"), nullptr);
    two->setAttribute(u"ID", u"renamed");
    EXPECT_EQ(page->getElementById(u"two"), nullptr);
    EXPECT_EQ(page->getElementById(u"renamed"), two);
    std::unique_ptr<Node> removed = box->parentElement()->removeChild(*box);
    EXPECT_EQ(page->getElementById(u"box"), nullptr);
    EXPECT_EQ(page->getElementById(u"three"), nullptr);
    EXPECT_EQ(page->getElementById(u""), nullptr);
}

TEST(HtmlParser, SelfClosingSlashEndsVoidElementsOnly) {
    // Unquoted, the slash belongs to the value, as in a browser.
    auto page = Body(u"<input id=a/><br/>x");
    EXPECT_NE(page->getElementById(u"a/"), nullptr);
    EXPECT_EQ(Shape(*page->body()), u"body(input,br)");
    auto quoted = Body(u"<input id=\"a\"/><div id=\"d\"/>inside</div>after");
    EXPECT_EQ(Shape(*quoted->body()), u"body(input,div)");
    EXPECT_EQ(quoted->getElementById(u"d")->textContent(), u"inside");
    EXPECT_EQ(quoted->body()->textContent(), u"insideafter");
}

TEST(HtmlParser, CharacterReferences) {
    auto page = Body(
        u"<p id=p>&lt;&gt;&amp;&quot;&apos;&nbsp;&copy &amp x &#65;&#x42;&#X43;&#0;&#xD800;"
        u"&#x110000;&#128;&#x1F600;&unknown; &#; &</p>"
        u"<input id=i value=\"&amp;&lt;x&ampy &amp=z &#9;&#13;&#10;\">");
    EXPECT_EQ(page->getElementById(u"p")->textContent(),
              u"<>&\"'\u00A0\u00A9 & x ABC\uFFFD\uFFFD\uFFFD\u20AC\U0001F600&unknown; &#; &");
    // In an attribute an old name followed by a letter or '=' stays as written.
    EXPECT_EQ(page->getElementById(u"i")->value(), u"&<x&ampy &amp=z \t\r\n");
}

TEST(HtmlParser, LineEndsBecomeLineFeedsButReferencesKeepThem) {
    auto page = Body(u"<p id=p>a\r\nb\rc\nd</p><input id=i value=\"1\r\n2&#13;&#10;3\">");
    EXPECT_EQ(page->getElementById(u"p")->textContent(), u"a\nb\nc\nd");
    EXPECT_EQ(page->getElementById(u"i")->value(), u"1\n2\r\n3");
}

TEST(HtmlParser, NulAndLoneSurrogatesAreKept) {
    std::u16string text = u"a";
    text += char16_t(0);
    text += char16_t(0xD800);
    text += u"b";
    text += char16_t(0xDFFF);
    auto page = Body(u"<p id=p>" + text + u"</p><input id=i value=\"" + text + u"\">");
    EXPECT_EQ(page->getElementById(u"p")->textContent(), text);
    EXPECT_EQ(page->getElementById(u"i")->value(), text);
}

TEST(HtmlParser, RowsEndAtTheNextRowOrTheTableEnd) {
    auto page = Body(u"<table id=t><tr><td>a<td>b<tr><td>c</table>after");
    EXPECT_EQ(Shape(*page->getElementById(u"t")), u"table(tbody(tr(td,td),tr(td)))");
    EXPECT_EQ(page->body()->textContent(), u"abcafter");
    Element* last = page->getElementsByTagName(u"td")[2];
    EXPECT_EQ(last->parentElement()->parentElement()->parentElement()->id(), u"t");
}

TEST(HtmlParser, HeaderCellsDirectlyInATableMakeARow) {
    auto page = Body(u"<table id=t><th align=left>Name</th><th>Value</th><tr><td>x</td></tr></table>");
    EXPECT_EQ(Shape(*page->getElementById(u"t")), u"table(tbody(tr(th,th),tr(td)))");
}

TEST(HtmlParser, TextStrayInATableGoesBeforeIt) {
    auto page = Body(u"<div id=d><table><tr>stray<td>cell</td><b>bold</b></tr></table></div>");
    Element* div = page->getElementById(u"d");
    EXPECT_EQ(Shape(*div), u"div(b,table(tbody(tr(td))))");
    EXPECT_EQ(div->textContent(),
              u"straybold"
              u"cell");
}

TEST(HtmlParser, OptionsCloseEachOtherAndSelectsKeepOnlyOptions) {
    auto page = Body(u"<select id=s><option>01<option value=x>02<b>bold</b></option><div>no</div></select>tail");
    Element* select = page->getElementById(u"s");
    std::vector<Element*> options = select->options();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0]->value(), u"01");
    EXPECT_EQ(options[1]->value(), u"x");
    EXPECT_EQ(options[1]->textContent(), u"02bold");  // text after the option is the select's
    EXPECT_EQ(page->body()->textContent(), u"0102boldnotail");
    auto closed = Body(u"<select id=s><option>a</select><input id=i>");
    EXPECT_EQ(closed->getElementById(u"i")->parentElement(), closed->body());
}

TEST(HtmlParser, StyleScriptAndTitleAreKeptAsText) {
    auto page = Document::parse(
        u"<html><head><title>A &amp; <b>B</b></title><style>td > b { x: \"</p>\" }</style></head>"
        u"<body><script>if (a<b && c>d) s = \"<input>\";</script><p>x</p></body></html>");
    EXPECT_EQ(page->title(), u"A & <b>B</b>");
    EXPECT_EQ(page->getElementsByTagName(u"style")[0]->textContent(), u"td > b { x: \"</p>\" }");
    EXPECT_EQ(page->getElementsByTagName(u"script")[0]->textContent(), u"if (a<b && c>d) s = \"<input>\";");
    EXPECT_TRUE(page->getElementsByTagName(u"input").empty());
    EXPECT_EQ(page->getElementsByTagName(u"style")[0]->parentElement(), page->head());
}

TEST(HtmlParser, CommentsAndDoctypesVanish) {
    auto page = Document::parse(
        u"<!DOCTYPE HTML PUBLIC \"x\"><!-- c --><html><body>a<!-- <p>no</p> -->b<!--->c"
        u"<?pi?>d</body></html>");
    EXPECT_EQ(page->body()->textContent(), u"abcd");
    EXPECT_TRUE(page->body()->children().empty());
}

TEST(HtmlParser, TagSoupNeverLosesText) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"<b>bold <i>both</b> italic</i> plain", u"bold both italic plain"},
        {u"</p></td></tr></table>text</div>", u"text"},
        {u"a < b > c", u"a < b > c"},
        {u"<<<>>>&&&;;", u"<<<>>>&&&;;"},
        {u"x<td>cell</td>y<tr>row", u"xcellyrow"},
        {u"<table><td>1<table><td>2</table>3</table>4", u"1234"},
        {u"one</br>two", u"onetwo"},
        {u"<p>a<div>b</p>c</div>", u"abc"},
        {u"<span>open", u"open"},
        {u"keep<input value=\"unterminated", u"keep"},
        {u"keep<!-- unterminated", u"keep"},
        {u"keep<div", u"keep"},
        {u"<select><table><tr><td>t</td></tr></table></select>s", u"ts"},
        {u"<table><caption>c</caption><colgroup><col></colgroup><tbody><tr><td>d</table>", u"cd"},
        {u"</>x</ y>z", u"xz"},
    };
    for (const auto& [markup, text] : cases) {
        auto page = Body(markup);
        EXPECT_EQ(page->body()->textContent(), text) << test::Narrow(markup);
    }
}

TEST(HtmlParser, DeepNestingIsFlattenedNotFollowed) {
    std::u16string markup;
    for (int i = 0; i < 20000; ++i) markup += u"<div><b><table><tr><td>";
    markup += u"end";
    auto page = Body(markup);
    int depth = 0;
    for (Node* node = page->body(); node;) {
        Element* element = node->asElement();
        if (!element) break;
        ++depth;
        node = element->lastChild();
    }
    EXPECT_LT(depth, 400);
    EXPECT_EQ(page->body()->textContent(), u"end");
    FixedTextMeasure measure;
    page->setLayoutContext(&measure, 800);
    page->ensureLayout();
}

TEST(HtmlParser, SerialisedMarkupParsesToTheSameTree) {
    auto page = test::IdentityPage();
    std::u16string once = page->body()->innerHtml();
    auto again = Body(once);
    EXPECT_EQ(again->body()->innerHtml(), once);
}

TEST(HtmlParser, PageBytesDecodeAsUtf8OrMarkedUtf16) {
    EXPECT_EQ(DecodePageBytes("\xEF\xBB\xBF"
                              "a\xC3\xA9\xF0\x9F\x98\x80"),
              u"a\u00E9\U0001F600");
    EXPECT_EQ(DecodePageBytes("a\xFF"
                              "b\xE2\x82"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(DecodePageBytes(std::string("\xFF\xFE"
                                          "a\0\xAC\x20",
                                          6)),
              u"a\u20AC");
}

}  // namespace
}  // namespace tarnwick::htmlform
