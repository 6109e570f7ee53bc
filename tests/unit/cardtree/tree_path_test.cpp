// Card file names in the library tree, and the name rule.
#include "cardtree/tree_path.h"

#include <gtest/gtest.h>

#include "cardtree/name_rule.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "support/scripted_prompts.h"

namespace tarnwick {
namespace {

TEST(TreePath, CardFilesEndInExactlyTheExtension) {
    EXPECT_TRUE(IsCardFileName(u"Home.vrt", u".vrt"));
    EXPECT_TRUE(IsCardFileName(u"a.b.vrt", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrt.bak", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrtx", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Home.vrc", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u"Homevrt", u".vrt"));
    EXPECT_FALSE(IsCardFileName(u".vrt", u".vrt"));
}

TEST(NameRule, LeadingSpacesGo) {
    EXPECT_EQ(u"Bank", ApplyNameRule(u"   Bank"));
    EXPECT_EQ(u"a b", ApplyNameRule(u"a b"));
    EXPECT_EQ(std::nullopt, ApplyNameRule(u""));
    EXPECT_EQ(std::nullopt, ApplyNameRule(u"    "));
    for (char16_t bad : std::u16string_view(u"\\/:*?\"<>|")) {
        EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(u"a") + bad + u"b")) << char(bad);
    }
    EXPECT_EQ(std::nullopt, ApplyNameRule(u"..\\x"));
    EXPECT_EQ(u"..x", ApplyNameRule(u"..x"));
}

// Names Windows would change or take for something else: a trailing dot or
// space is dropped ("a." names "a"), "." and ".." are the folder and its
// parent, device names open a device whatever the extension, control
// characters and over-long components are refused by the file system.
TEST(NameRule, NamesWindowsWouldChangeOrRefuseAreRefused) {
    for (std::u16string_view bad : {u".", u"..", u"a.", u"a..", u"Bank ", u"   Bank  ", u"a. ", u" . "}) {
        EXPECT_EQ(std::nullopt, ApplyNameRule(bad)) << std::string(bad.begin(), bad.end());
    }
    for (std::u16string_view device :
         {u"CON", u"con", u"Prn", u"AUX", u"nul", u"COM1", u"com9", u"LPT1", u"lpt9", u"CON.txt", u"nul.tar.gz",
          u"Com3.vrt", u"CON .txt", u"COM\u00B9", u"LPT\u00B3"}) {
        EXPECT_EQ(std::nullopt, ApplyNameRule(device)) << std::string(device.begin(), device.end());
    }
    for (char16_t control = 1; control < 0x20; ++control) {
        EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(u"a") + control + u"b")) << int(control);
    }
    EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(u"a\0b", 3)));
    // Near misses stay names.
    for (std::u16string_view good : {u"CONSOLE", u"COM0", u"COM10", u"LPT", u"NULL.txt", u"xCON", u"a.b", u".hidden",
                                     u"..x", u"a b", u"\u00E9t\u00E9", u"\u5BC6\u7801"}) {
        EXPECT_EQ(std::u16string(good), ApplyNameRule(good)) << std::string(good.begin(), good.end());
    }
    // A component holds at most 255 characters, a card's extension included.
    EXPECT_EQ(std::u16string(255, u'a'), ApplyNameRule(std::u16string(255, u'a')));
    EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(256, u'a')));
    EXPECT_EQ(std::u16string(251, u'a'), ApplyNameRule(std::u16string(251, u'a'), u".vrt"));
    EXPECT_EQ(std::nullopt, ApplyNameRule(std::u16string(252, u'a'), u".vrt"));
    EXPECT_EQ(std::nullopt, ApplyNameRule(u"CON", u".vrt"));
}

TEST(NameRule, DialogsRefuseUnusableNamesWithTheirWarning) {
    const MessageCatalogue identity(IdentityCatalogueRows(DisplayLanguage::English));
    test::ScriptedPrompts prompts;
    NameDialogRules folder(prompts, catalogue_key::kFolderNameRule, kWarningBox, identity);
    for (std::u16string_view bad : {u"..", u"a.", u"NUL", u"b "}) {
        prompts.queueAnswer(kIdOk);
        EXPECT_FALSE(folder.accept(0xD1A, std::u16string(bad)));
        EXPECT_EQ(std::nullopt, folder.name());
    }
    ASSERT_EQ(4u, prompts.shown().size());
    for (const auto& shown : prompts.shown()) {
        EXPECT_EQ(u"Folder name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ", shown.text);
        EXPECT_EQ(u"Tarnwick Warning", shown.caption);
    }
    // A card's name leaves room for its extension.
    NameDialogRules card(prompts, catalogue_key::kIdentityNameRule, kWarningBox, identity, u".vrt");
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(card.accept(0xD1A, std::u16string(252, u'a')));
    EXPECT_TRUE(card.accept(0xD1A, std::u16string(251, u'a')));
    // A passcard field name is no file name: only the nine characters count.
    const MessageCatalogue passcard(PasscardCatalogueRows(DisplayLanguage::English));
    NameDialogRules field(prompts, catalogue_key::kFieldNameRule, kErrorBox, passcard);
    EXPECT_TRUE(field.accept(0xD1A, u"CON"));
    EXPECT_TRUE(field.accept(0xD1A, u"user name "));
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
    EXPECT_TRUE(rules.accept(0xD1A, u" x"));
    EXPECT_EQ(u"x", rules.name());
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
