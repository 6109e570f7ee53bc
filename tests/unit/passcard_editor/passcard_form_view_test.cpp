// The passcard form on the program's own page: the table verbatim, stars and
// details, reading the page back exactly, the focused field, the clipboard
// text, and the keys that mark a card changed.
#include "passcard_editor/passcard_form_view.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "passcard_editor/passcard_form_markup.h"
#include "passcard_editor/passcard_key_watch.h"
#include "support/scripted_prompts.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using htmlform::Element;

std::unique_ptr<htmlform::Document> loadPasscardPage() {
    std::ifstream file(TARNWICK_SOURCE_DIR "/passcard_editor/resources/passcard_form.html", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << "the form page was not found";
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

class PasscardFormViewTest : public ::testing::Test {
protected:
    void setFields(std::vector<std::u16string> names, std::vector<std::u16string> types,
                   std::vector<std::u16string> values) {
        record.fieldNames = std::move(names);
        record.fieldTypes = std::move(types);
        record.fieldValues = std::move(values);
    }
    std::vector<Element*> inputs() { return page->getElementsByTagName(u"input"); }
    std::vector<std::u16string> inputTypes() {
        std::vector<std::u16string> types;
        for (const Element* input : inputs()) types.emplace_back(input->type());
        return types;
    }

    std::unique_ptr<htmlform::Document> page = loadPasscardPage();
    test::TestPasswordGate gate;
    test::ScriptedPrompts prompts;
    PasscardRecord record{gate, prompts};
    PasscardFormView view{*page};
};

TEST_F(PasscardFormViewTest, ARowIsWrittenVerbatim) {
    setFields({u"User"}, {u"text"}, {u"abc"});
    EXPECT_EQ(PasscardTableMarkup({record.fieldNames, record.fieldTypes, record.fieldValues}, false, false),
              u"<table><tr><td align=\"right\">User&nbsp;</td><td align=\"left\"><input name =\"User\" "
              u"type=\"text\" value=\"abc\" onpropertychange=\"onChange()\"></td></table>");
    setFields({}, {}, {});
    EXPECT_EQ(PasscardTableMarkup({record.fieldNames, record.fieldTypes, record.fieldValues}, true, true),
              u"<table></table>");
}

TEST_F(PasscardFormViewTest, StarsHideOnlyFieldsOfTypePassword) {
    setFields({u"a", u"b", u"c", u"d"}, {u"text", u"password", u"Password", u"pin"}, {u"1", u"2", u"3", u"4"});
    view.buildTable(record, true, false);
    EXPECT_EQ(inputTypes(), (std::vector<std::u16string>{u"text", u"password", u"text", u"text"}));
    view.rebuild(record, false, false);
    EXPECT_EQ(inputTypes(), (std::vector<std::u16string>{u"text", u"text", u"text", u"text"}));
    EXPECT_EQ(page->body()->getElementsByTagName(u"table").size(), 1u);
}

TEST_F(PasscardFormViewTest, DetailsShowTheTypeBetweenNonBreakingSpaces) {
    setFields({u"Site"}, {u"text"}, {u""});
    view.buildTable(record, false, true);
    const Element* label = page->body()->getElementsByTagName(u"td")[0];
    EXPECT_EQ(label->textContent(), u"Site\u00A0:\u00A0text\u00A0");
}

TEST_F(PasscardFormViewTest, ClearingRemovesTheTableEvenAfterOtherNodes) {
    setFields({u"User"}, {u"text"}, {u"abc"});
    ASSERT_TRUE(page->body()->insertAdjacentHtml(htmlform::AdjacentPosition::AfterBegin, u"\n"));
    view.buildTable(record, false, false);
    view.clearTable();
    EXPECT_TRUE(page->body()->getElementsByTagName(u"table").empty());
    view.clearTable();  // nothing left to clear
    for (int i = 0; i < 3; ++i) view.rebuild(record, false, false);
    EXPECT_EQ(page->body()->getElementsByTagName(u"table").size(), 1u);
    EXPECT_EQ(inputs().size(), 1u);
}

TEST_F(PasscardFormViewTest, NamesAndValuesWithMarkupComeBackExactly) {
    const std::u16string name = u"a\"b<c>&amp;'d";
    const std::u16string value = u"\"></td><input name=\"x\">\r\n\ttail";
    setFields({name, u"Pass"}, {u"text", u"password"}, {value, name});
    view.buildTable(record, true, true);
    const PageFields read = view.readPage();
    EXPECT_EQ(read.names, record.fieldNames);
    EXPECT_EQ(read.values, record.fieldValues);
}

TEST_F(PasscardFormViewTest, PullingThePageTakesTheTypedValuesAndKeepsTheTypes) {
    setFields({u"User", u"Pass"}, {u"text", u"password"}, {u"abc", u"x"});
    EXPECT_FALSE(view.pullPageIntoRecord(record));  // no table yet: nothing taken
    EXPECT_EQ(record.fieldValues, (std::vector<std::u16string>{u"abc", u"x"}));
    view.buildTable(record, true, false);
    page->userSetValue(*inputs()[1], u"secret");
    EXPECT_TRUE(view.pullPageIntoRecord(record));
    EXPECT_EQ(record.fieldValues, (std::vector<std::u16string>{u"abc", u"secret"}));
    EXPECT_EQ(record.fieldTypes, (std::vector<std::u16string>{u"text", u"password"}));
}

TEST_F(PasscardFormViewTest, TheSelectedFieldIsTheFocusedBox) {
    setFields({u"Email", u"User", u"Pass"}, {u"text", u"text", u"password"}, {u"", u"", u""});
    view.buildTable(record, false, false);
    EXPECT_EQ(view.selectedField().index, -1);  // the body is active
    page->setActiveElement(inputs()[2]);
    const SelectedField selected = view.selectedField();
    EXPECT_EQ(selected.index, 2);
    EXPECT_EQ(selected.name, u"Pass");
    page->setActiveElement(inputs()[0]);
    EXPECT_EQ(view.selectedField().index, 0);
    view.clearTable();  // the focused box went with the table
    EXPECT_EQ(view.selectedField().index, -1);
}

TEST_F(PasscardFormViewTest, TheClipboardTextOfTwoFieldsAndNoAddressIs33Characters) {
    setFields({u"User", u"Password"}, {u"text", u"password"}, {u"abc", u"x#1"});
    record.url = u"";
    const std::u16string text = PasscardClipboardText(record);
    EXPECT_EQ(text, u"User : abc\nPassword : x#1\nURL : \n");
    EXPECT_EQ(text.size(), 33u);
    record.url = u"http://shop.example/login";
    EXPECT_TRUE(PasscardClipboardText(record).ends_with(u"URL : http://shop.example/login\n"));
    setFields({}, {}, {});
    EXPECT_EQ(PasscardClipboardText(record), u"");
}

class CountingHost : public htmlform::DocumentHost {
public:
    void onUserEdit(Element&) override { ++edits; }
    int edits = 0;
};

TEST_F(PasscardFormViewTest, TypingIntoAGeneratedBoxIsReportedAsAnEdit) {
    CountingHost host;
    page->setHost(&host);
    setFields({u"User", u"Pass"}, {u"text", u"password"}, {u"abc", u"x"});
    view.buildTable(record, true, false);
    EXPECT_EQ(host.edits, 0);  // building the table is no edit
    page->userSetValue(*inputs()[1], u"y");
    EXPECT_EQ(host.edits, 1);
}

TEST(PasscardKeyWatch, WhichKeysMarkTheCardChangedAndWhichReachThePage) {
    const KeyWatchVerdict changedOnly{true, false};
    const KeyWatchVerdict changedAndPage{true, true};
    const KeyWatchVerdict pageOnly{false, true};
    EXPECT_EQ(WatchKey(kMessageKeyDown, kVirtualKeyBack, false), changedOnly);
    EXPECT_EQ(WatchKey(kMessageKeyDown, kVirtualKeyBack, true), changedOnly);
    for (const std::uintptr_t key : {0x20u, 0x30u, 0x39u, 0x41u, 0x5Au, 0x60u, 0x6Fu, 0xBAu, 0xC0u, 0xDBu, 0xDDu}) {
        EXPECT_EQ(WatchKey(kMessageKeyDown, key, false), changedAndPage) << key;
        EXPECT_EQ(WatchKey(kMessageKeyDown, key, true), pageOnly) << key;  // Ctrl+C and the like
    }
    for (const std::uintptr_t key : {0x09u, 0x25u, 0x2Eu, 0x2Fu, 0x5Bu, 0x70u, 0xC1u, 0xDEu}) {
        EXPECT_EQ(WatchKey(kMessageKeyDown, key, false), pageOnly) << key;
    }
    EXPECT_EQ(WatchKey(0x0101, 0x41, false), pageOnly);  // key up
    EXPECT_EQ(WatchKey(0x0101, kVirtualKeyBack, false), pageOnly);
    EXPECT_EQ(WatchKey(0x0201, 0, false), pageOnly);  // a mouse button
}

}  // namespace
}  // namespace tarnwick
