// Edits are reported for the user's actions only, as the page scripts do;
// the sex radios form a group through checkradio; observers hear of every
// change a renderer must show; focus follows the user and the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/htmlform/form_markup.h"

namespace tarnwick::htmlform {
namespace {

class RecordingHost : public DocumentHost {
public:
    void onUserEdit(Element& source) override { edits.push_back(source.id().empty() ? source.name() : source.id()); }
    std::vector<std::u16string> edits;
};

class RecordingObserver : public DocumentObserver {
public:
    void subtreeChanged(Element& parent) override { log.push_back(u"subtree " + parent.id()); }
    void subtreeRemoving(Node& root) override {
        log.push_back(u"removing " + (root.asElement() ? root.asElement()->localName() : u"#text"));
    }
    void stateChanged(Element& control, ChangeCause cause) override {
        log.push_back((cause == ChangeCause::User ? u"user " : u"program ") + control.id());
    }
    void displayChanged(Element& element) override { log.push_back(u"display " + element.id()); }
    void focusChanged(Element* focused, ChangeCause cause) override {
        log.push_back((cause == ChangeCause::User ? u"user focus " : u"program focus ") +
                      (focused ? focused->id() : u"none"));
    }
    std::vector<std::u16string> log;
};

class DocumentEvents : public ::testing::Test {
protected:
    void SetUp() override {
        page = test::IdentityPage();
        page->setHost(&host);
        page->addObserver(observer);
        page->getElementById(u"replace_custom")->setInnerHtml(test::CustomTable({{u"a", u"b"}, {u"c", u"d"}}));
        observer.log.clear();
    }
    Element& at(const char16_t* id) { return *page->getElementById(id); }

    std::unique_ptr<Document> page;
    RecordingHost host;
    RecordingObserver observer;
};

TEST_F(DocumentEvents, ProgramSettersReportNoEditButTellObservers) {
    at(u"firstname").setValue(u"John");
    at(u"customsecond1").setValue(u"new");
    at(u"man").setChecked(true);
    at(u"month").setSelectedIndex(7);
    at(u"month").setSelectedIndex(7);  // no change, no notice
    EXPECT_TRUE(host.edits.empty());
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"program firstname", u"program customsecond1", u"program man",
                                                         u"program month"}));
    EXPECT_EQ(at(u"firstname").value(), u"John");
    EXPECT_EQ(at(u"firstname").getAttribute(u"value"), u"");
    EXPECT_EQ(at(u"month").value(), u"07");
}

TEST_F(DocumentEvents, TypingReportsOneEditPerChange) {
    page->userSetValue(at(u"firstname"), u"J");
    page->userSetValue(at(u"firstname"), u"Jo");
    page->userSetValue(at(u"firstname"), u"Jo");  // nothing changed
    page->userSetValue(at(u"customfirst1"), u"typed");
    EXPECT_EQ(host.edits, (std::vector<std::u16string>{u"firstname", u"firstname", u"customfirst1"}));
    EXPECT_EQ(at(u"customfirst1").value(), u"typed");
}

TEST_F(DocumentEvents, InputsWithoutTheHandlerChangeSilently) {
    page->body()->insertAdjacentHtml(u"beforeEnd", u"<input id=quiet><input id=other onpropertychange=\"other()\">");
    page->userSetValue(at(u"quiet"), u"x");
    page->userSetValue(at(u"other"), u"y");
    EXPECT_TRUE(host.edits.empty());
    EXPECT_EQ(at(u"quiet").value(), u"x");
}

TEST_F(DocumentEvents, PickingAnOptionReportsWhenTheSelectionChanges) {
    page->userSelectOption(at(u"day"), 4);
    page->userSelectOption(at(u"day"), 4);
    page->userSelectOption(at(u"day"), 99);  // out of range: ignored
    EXPECT_EQ(host.edits, (std::vector<std::u16string>{u"day"}));
    EXPECT_EQ(at(u"day").selectedIndex(), 4);
    EXPECT_EQ(at(u"day").value(), u"04");
}

TEST_F(DocumentEvents, ClickingASexRadioChecksItAndUnchecksTheOtherTwo) {
    page->userClickRadio(at(u"woman"));
    EXPECT_FALSE(at(u"empty").checked());
    EXPECT_FALSE(at(u"man").checked());
    EXPECT_TRUE(at(u"woman").checked());
    page->userClickRadio(at(u"man"));
    EXPECT_TRUE(at(u"man").checked());
    EXPECT_FALSE(at(u"woman").checked());
    page->userClickRadio(at(u"man"));  // a click is a click, even on the checked one
    EXPECT_TRUE(at(u"man").checked());
    EXPECT_EQ(host.edits, (std::vector<std::u16string>{u"woman", u"man", u"man"}));
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"user woman", u"user empty", u"user man", u"user woman"}));
}

TEST_F(DocumentEvents, RadiosOfOneNameFormAGroupWithoutAScript) {
    page->body()->insertAdjacentHtml(u"beforeEnd",
                                     u"<input type=radio name=g id=g1 checked><input type=radio "
                                     u"name=g id=g2><input type=radio name=h id=h1 checked>");
    page->userClickRadio(at(u"g2"));
    EXPECT_FALSE(at(u"g1").checked());
    EXPECT_TRUE(at(u"g2").checked());
    EXPECT_TRUE(at(u"h1").checked());
    at(u"g1").setChecked(true);
    EXPECT_FALSE(at(u"g2").checked());
    EXPECT_TRUE(host.edits.empty());
}

TEST_F(DocumentEvents, FocusIsTheActiveElementAndTheBodyWhenNone) {
    EXPECT_EQ(page->activeElement(), page->body());
    page->userFocus(&at(u"customsecond1"));
    EXPECT_EQ(page->activeElement(), &at(u"customsecond1"));
    // Delete Custom Field reads the row index from the end of the focused input's id.
    EXPECT_EQ(page->activeElement()->id().back(), u'1');
    page->setActiveElement(&at(u"firstname"));
    page->setActiveElement(nullptr);
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"user focus customsecond1", u"program focus firstname",
                                                         u"program focus none"}));
    EXPECT_TRUE(host.edits.empty());
}

TEST_F(DocumentEvents, ReplacingTheFocusedInputLeavesNoFocusBehind) {
    page->userFocus(&at(u"customfirst0"));
    page->getElementById(u"replace_custom")->setInnerHtml(test::CustomTable({{u"x", u"y"}}));
    EXPECT_EQ(page->activeElement(), page->body());
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"user focus customfirst0", u"removing table",
                                                         u"program focus none", u"subtree replace_custom"}));
    EXPECT_EQ(page->getElementById(u"customfirst1"), nullptr);
}

TEST_F(DocumentEvents, StructureChangesAreReportedForTheirParent) {
    Element* body = page->body();
    body->insertAdjacentHtml(u"beforeEnd", u"<table id=t></table>");
    std::unique_ptr<Node> removed = body->removeChild(*body->lastChild());
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->parentElement(), nullptr);
    EXPECT_EQ(body->removeChild(*removed), nullptr);  // no longer a child
    EXPECT_FALSE(body->insertAdjacentHtml(u"middle", u"<p>"));
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"subtree ", u"removing table", u"subtree "}));
}

TEST_F(DocumentEvents, DisplayTogglesTheInlineStyleAndTellsObservers) {
    Element& person = at(u"person");
    person.setStyleDisplay(u"block");
    EXPECT_EQ(person.styleDisplay(), u"block");
    EXPECT_EQ(person.getAttribute(u"style"), u"display: block;");
    person.setStyleDisplay(u"block");  // unchanged: no notice
    person.setStyleDisplay(u"none");
    EXPECT_EQ(person.styleDisplay(), u"none");
    at(u"custom").setStyleDisplay(u"block");
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"display person", u"display person", u"display custom"}));
    person.setAttribute(u"style", u"color: red; DISPLAY : block");
    EXPECT_EQ(person.styleDisplay(), u"block");
    // An input of another type is shown by another control: the renderer must hear of it.
    observer.log.clear();
    at(u"password").setAttribute(u"type", u"password");
    EXPECT_EQ(observer.log, (std::vector<std::u16string>{u"display password"}));
}

TEST_F(DocumentEvents, ValueAttributeFollowsUntilTheValueIsSet) {
    Element& input = at(u"customfirst0");
    input.setAttribute(u"value", u"attr");
    EXPECT_EQ(input.value(), u"attr");
    page->userSetValue(input, u"typed");
    input.setAttribute(u"value", u"later");
    EXPECT_EQ(input.value(), u"typed");
    EXPECT_EQ(input.getAttribute(u"value"), u"later");
}

}  // namespace
}  // namespace tarnwick::htmlform
