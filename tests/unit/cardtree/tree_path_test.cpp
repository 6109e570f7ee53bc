// Path building and comparison under the library tree, and the name rule.
#include "cardtree/tree_path.h"

#include <gtest/gtest.h>

#include "cardtree/name_rule.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "support/scripted_prompts.h"

namespace tarnwick {
namespace {

TEST(TreePath, JoinsAndSplitsWithBackslashes) {
    EXPECT_EQ(u"C:\\u\\Bank", JoinPath(u"C:\\u", u"Bank"));
    EXPECT_EQ(u"C:\\Bank", JoinPath(u"C:\\", u"Bank"));
    EXPECT_EQ(u"C:\\u\\", JoinPath(u"C:\\u", u""));
    EXPECT_EQ(u"C:\\u", ParentPath(u"C:\\u\\Bank"));
    EXPECT_EQ(u"Bank", LastComponent(u"C:\\u\\Bank"));
}

TEST(TreePath, InsideMeansBelowTheFolderNotSharingItsText) {
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\Bank", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\Bank\\Old", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"c:\\U\\bANK\\old", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u\\\u00C9t\u00E9\\x", u"C:\\u\\\u00E9T\u00C9"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u\\Banking", u"C:\\u\\Bank"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u\\My Bank", u"C:\\u\\Bank"));
    EXPECT_FALSE(IsSameOrInside(u"C:\\u", u"C:\\u\\Bank"));
    EXPECT_TRUE(IsSameOrInside(u"C:\\u", u"C:\\"));
}

TEST(TreePath, CardFilesEndInExactlyTheExtension) {
    EXPECT_TRUE(IsCardFileName(u"Home.vrt", u".vrt"));
    EXPECT_TRUE(IsCardFileName(u"a.b.vrt", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrt.bak", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrtx", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrc", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Homevrt", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u".vrt", u".vrt"));
}

TEST(TreePath, BufferHoldsTwoHundredFiftyNineCharacters) {
    EXPECT_TRUE(FitsPathBuffer(std::u16string(259, u'a')));
    EXPECT_FALSE(FitsPathBuffer(std::u16string(260, u'a')));
}

TEST(NameRule, LeadingSpacesGoTrailingSpacesStay) {
    EXPECT_EQ(u"Bank  ", ApplyNameRule(u"   Bank  "));
    EXPECT_EQ(u"a b", ApplyNameRule(u"a b"));
    EXPECT_EQ(std::nullopt, ApplyNameRule(u""));
    EXPECT_EQ(std::nullopt, ApplyNameRule(u"    "));
    for (char16_t bad : std::u16string_view(u"\\/:*?\"<>|")) {
        EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(u"a") + bad + u"b")) << char(bad);
    }
    EXPECT_EQ(std::nullopt, ApplyNameRule(u"..\\x"));
    EXPECT_EQ(u"..x", ApplyNameRule(u"..x"));
}

TEST(NameRule, DialogRulesShowTheRefusalOwnedByTheDialog) {
    const MessageCatalogue identity(IdentityCatalogueRows(DisplayLanguage::English));
    test::ScriptedPrompts prompts;
    NameDialogRules rules(prompts, catalogue_key::kIdentityNameRule, kWarningBox, identity);
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(rules.accept(0xD1A, u" "));
    ASSERT_EQ(1u, prompts.shown().size());
    EXPECT_EQ(u"Identity name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
              prompts.shown()[0].text);
    EXPECT_EQ(u"Tarnwick Warning", prompts.shown()[0].caption);
    EXPECT_EQ(0x30u, prompts.shown()[0].style);
    EXPECT_EQ(WindowRef{0xD1A}, prompts.shown()[0].owner);
    EXPECT_EQ(std::nullopt, rules.name());
    EXPECT_TRUE(rules.accept(0xD1A, u" x "));
    EXPECT_EQ(u"x ", rules.name());
    rules.cancel();
    EXPECT_EQ(std::nullopt, rules.name());

    const MessageCatalogue passcard(PasscardCatalogueRows(DisplayLanguage::English));
    NameDialogRules field(prompts, catalogue_key::kFieldNameRule, kErrorBox, passcard);
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(field.accept(0xD1A, u"a|b"));
    EXPECT_EQ(u"Field name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
              prompts.shown()[1].text);
    EXPECT_EQ(u"Tarnwick Error", prompts.shown()[1].caption);
    EXPECT_EQ(0x10u, prompts.shown()[1].style);
}

}  // namespace
}  // namespace tarnwick
