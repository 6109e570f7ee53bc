// The card operations (delete, rename, copy, cut), pasting cards, and cards renamed in place or
// dropped, in both editors: the card wording of each box and the single notice.
#include <gtest/gtest.h>

#include "card_tree_fixture.h"

namespace tarnwick {
namespace {

using testing::CardTreeFixture;
using testing::FileExists;
using testing::FolderNotices;
using testing::ListFolder;
using testing::Notice;
using testing::ReadBytes;
using Notices = std::vector<Notice>;

class CardTreeCardTest : public ::testing::TestWithParam<const TreeFlavour*>, public CardTreeFixture {
protected:
    CardTreeCardTest() : CardTreeFixture(*GetParam()) {}

    bool identity() const { return tree.flavour().cardKind == CardKind::Identity; }
    std::u16string word() const { return identity() ? u"Identity" : u"Passcard"; }
};

INSTANTIATE_TEST_SUITE_P(BothEditors, CardTreeCardTest,
                         ::testing::Values(&IdentityTreeFlavour(), &PasscardTreeFlavour()), testing::FlavourName);

TEST_P(CardTreeCardTest, DeleteCardAsksWithItsPathBelowTheRoot) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    clipboard.copy(at(u"Shop"), ClipboardKind::Folder);
    prompts.queueAnswer(kIdNo);
    tree.deleteCard(cardItem(u"Shop\\Store"));
    expectBox(0, u"Do you want to delete " + word() + u" '\\Shop\\Store'?", u"Tarnwick Question", 0x24);
    EXPECT_TRUE(FileExists(card(u"Shop\\Store")));
    EXPECT_FALSE(clipboard.empty());
    EXPECT_EQ(Notices{}, notices());

    prompts.queueAnswer(kIdYes);
    tree.deleteCard(cardItem(u"Shop\\Store"));
    EXPECT_EQ("", ListFolder(at(u"Shop")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(cardNotice(at(u"Shop")), notices());
}

TEST_P(CardTreeCardTest, DeleteCardThatCannotGo) {
    makeCard(u"Home");
    testing::MakeReadOnly(card(u"Home"));
    prompts.queueAnswer(kIdYes);
    prompts.queueAnswer(kIdOk);
    tree.deleteCard(cardItem(u"Home"));
    expectBox(0, u"Do you want to delete " + word() + u" '\\Home'?", u"Tarnwick Question", 0x24);
    expectBox(1, u"Delete " + word() + u" failure", u"Tarnwick Error", 0x10);
    EXPECT_TRUE(FileExists(card(u"Home")));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeCardTest, RenameCardWithItsDialog) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store", "bytes");
    clipboard.cut(card(u"Shop\\Store"), ClipboardKind::Card);
    prompts.queueTypedName(u"a?b");
    prompts.queueAnswer(kIdOk);
    // Windows would drop the trailing space: refused too.
    prompts.queueTypedName(u" Market ");
    prompts.queueAnswer(kIdOk);
    prompts.queueTypedName(u" Market");
    tree.renameCard(cardItem(u"Shop\\Store"));
    ASSERT_EQ(1u, prompts.nameDialogs().size());
    EXPECT_EQ(identity() ? u"Rename Identity" : u"Rename Passcard Name", prompts.nameDialogs()[0].look.title);
    EXPECT_EQ(word() + u" Name :", prompts.nameDialogs()[0].look.label);
    EXPECT_EQ(u"Store", prompts.nameDialogs()[0].look.text);
    expectBox(0, word() + u" name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
              u"Tarnwick Warning", 0x30, test::kScriptedDialogWindow);
    expectBox(1, word() + u" name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
              u"Tarnwick Warning", 0x30, test::kScriptedDialogWindow);
    EXPECT_EQ("bytes", ReadBytes(card(u"Shop\\Market")));
    EXPECT_EQ("Market" + extension(), ListFolder(at(u"Shop")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(cardNotice(card(u"Shop\\Market")), notices());
}

TEST_P(CardTreeCardTest, RenameCardCancelledOrFailing) {
    makeCard(u"Home");
    makeCard(u"Work");
    clipboard.copy(card(u"Home"), ClipboardKind::Card);
    prompts.queueNameCancel();
    tree.renameCard(cardItem(u"Home"));
    EXPECT_TRUE(clipboard.empty());
    prompts.queueTypedName(u"Work");
    prompts.queueAnswer(kIdOk);
    tree.renameCard(cardItem(u"Home"));
    expectBox(0, u"Rename " + word() + u" failure", u"Tarnwick Error", 0x10);
    EXPECT_EQ("Home" + extension() + " Work" + extension(), ListFolder(root));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeCardTest, CopiedCardTakesTheFirstFreeNumber) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\A", "source");
    makeFolder(u"Other");
    makeCard(u"Other\\A", "first");
    makeCard(u"Other\\A - Copy1", "second");
    EXPECT_TRUE(tree.runCommand(tree.flavour().commands.copyCard, cardItem(u"Shop\\A")));
    EXPECT_EQ(card(u"Shop\\A"), clipboard.copySource());
    EXPECT_EQ(ClipboardKind::Card, clipboard.kind());
    tree.paste(folderItem(u"Other"));
    EXPECT_EQ("source", ReadBytes(card(u"Other\\A - Copy2")));
    EXPECT_EQ("first", ReadBytes(card(u"Other\\A")));
    EXPECT_EQ("second", ReadBytes(card(u"Other\\A - Copy1")));
    tree.paste(folderItem(u"Shop"));
    EXPECT_EQ("source", ReadBytes(card(u"Shop\\A - Copy1")));
    Notices expected = FolderNotices(at(u"Other"));
    for (const auto& n : FolderNotices(at(u"Shop"))) expected.push_back(n);
    EXPECT_EQ(expected, notices());
}

TEST_P(CardTreeCardTest, CopiedCardThatIsGoneFailsAndIsForgotten) {
    makeCard(u"A");
    tree.copyCard(cardItem(u"A"));
    testing::ReadBytes(card(u"A"));
    std::remove(WindowsPathToHost(card(u"A")).c_str());
    prompts.queueAnswer(kIdOk);
    tree.paste(rootItem());
    expectBox(0, u"Copy " + word() + u" failure", u"Tarnwick Error", 0x10);
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(root), notices());
}

TEST_P(CardTreeCardTest, CutCardMovesAndIsForgotten) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\A", "source");
    makeFolder(u"Other");
    makeCard(u"Other\\A");
    tree.model().setRoot();
    tree.runCommand(tree.flavour().commands.cutCard, cardItem(u"Shop\\A"));
    EXPECT_EQ(card(u"Shop\\A"), clipboard.cutSource());
    ASSERT_NE(nullptr, tree.model().cutItem());
    EXPECT_EQ(ItemKind::Card, tree.model().cutItem()->kind());
    tree.runCommand(tree.flavour().commands.paste, folderItem(u"Other"));
    EXPECT_EQ("source", ReadBytes(card(u"Other\\A - Copy1")));
    EXPECT_FALSE(FileExists(card(u"Shop\\A")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(nullptr, tree.model().cutItem());
    EXPECT_EQ(FolderNotices(at(u"Other")), notices());
}

TEST_P(CardTreeCardTest, CutCardThatIsGoneFails) {
    tree.cutCard(cardItem(u"Gone"));
    prompts.queueAnswer(kIdOk);
    tree.paste(rootItem());
    expectBox(0, u"Cut " + word() + u" failure", u"Tarnwick Error", 0x10);
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(root), notices());
}

TEST_P(CardTreeCardTest, PasteOnACardGoesToItsFolder) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    makeCard(u"Home", "home");
    tree.copyCard(cardItem(u"Home"));
    tree.paste(cardItem(u"Shop\\Store"));
    EXPECT_EQ("home", ReadBytes(card(u"Shop\\Home")));
    EXPECT_EQ(FolderNotices(at(u"Shop")), notices());
}

TEST_P(CardTreeCardTest, CardRenamedInPlace) {
    makeCard(u"Home", "home");
    makeCard(u"Work");
    tree.model().setRoot();
    EXPECT_EQ(u"House", tree.renameInPlace(cardItem(u"Home"), u"  House"));
    EXPECT_EQ("home", ReadBytes(card(u"House")));
    EXPECT_EQ(at(u"House"), tree.model().itemAt(card(u"House"))->path());
    EXPECT_EQ(cardNotice(card(u"House")), notices());

    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(std::nullopt, tree.renameInPlace(cardItem(u"House"), u"Work"));
    expectBox(0, u"The same name file already exists", u"Tarnwick Error", 0x10);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(std::nullopt, tree.renameInPlace(cardItem(u"House"), u"..\\..\\House"));
    expectBox(1, word() + u" name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
              u"Tarnwick Warning", 0x30);
    EXPECT_EQ("House" + extension() + " Work" + extension(), ListFolder(root));
    EXPECT_EQ(1u, notices().size());
}

// The label edit takes names by the dialogs' rule: names Windows would change
// ("Home." is "Home") or take for a device are refused with the same warning.
TEST_P(CardTreeCardTest, InPlaceRenameRefusesNamesWindowsWouldChange) {
    makeCard(u"Home", "home");
    tree.model().setRoot();
    const std::u16string tooLong(256 - extension().size(), u'n');
    for (const std::u16string& text :
         std::vector<std::u16string>{u"House.", u"House ", u"..", u"CON", u"lpt1.txt", u"a\tb", tooLong}) {
        prompts.queueAnswer(kIdOk);
        EXPECT_EQ(std::nullopt, tree.renameInPlace(cardItem(u"Home"), text));
        expectBox(prompts.shown().size() - 1,
                  word() + u" name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ",
                  u"Tarnwick Warning", 0x30);
    }
    EXPECT_EQ("Home" + extension(), ListFolder(root));
    EXPECT_TRUE(notices().empty());
}

TEST_P(CardTreeCardTest, DroppedCardMovesWithOneNotice) {
    makeCard(u"Home", "home");
    makeFolder(u"Shop");
    makeFolder(u"Bank");
    makeCard(u"Bank\\Home");
    EXPECT_TRUE(tree.dropOnto(cardItem(u"Home"), folderItem(u"Shop")));
    EXPECT_EQ("home", ReadBytes(card(u"Shop\\Home")));
    EXPECT_EQ(cardNotice(card(u"Shop\\Home")), notices());
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(tree.dropOnto(cardItem(u"Shop\\Home"), folderItem(u"Bank")));
    expectBox(0, u"The same name file already exists", u"Tarnwick Error", 0x10);
    EXPECT_FALSE(tree.dropOnto(cardItem(u"Shop\\Home"), folderItem(u"Shop")));
    EXPECT_EQ(1u, notices().size());
}

TEST_P(CardTreeCardTest, CardCommandsIgnoreFolders) {
    makeFolder(u"Shop");
    tree.deleteCard(folderItem(u"Shop"));
    tree.renameCard(folderItem(u"Shop"));
    tree.copyCard(folderItem(u"Shop"));
    tree.deleteFolder(cardItem(u"Shop"));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(FileExists(at(u"Shop")));
    EXPECT_EQ(Notices{}, notices());
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

class CardTreeLongPathTest : public ::testing::TestWithParam<const TreeFlavour*>, public testing::CardTreeFixture {
protected:
    CardTreeLongPathTest() : CardTreeFixture(*GetParam()) {}
    // A name that fits the edit box but makes a path past 259 characters.
    std::u16string longName() const { return std::u16string(250, u'n'); }
};

INSTANTIATE_TEST_SUITE_P(BothEditors, CardTreeLongPathTest,
                         ::testing::Values(&IdentityTreeFlavour(), &PasscardTreeFlavour()), testing::FlavourName);

TEST_P(CardTreeLongPathTest, NamesMakingPathsTooLongForTheLibraryAreRefused) {
    ASSERT_GT(at(longName()).size(), 259u);
    makeCard(u"Home");
    prompts.queueTypedName(longName());
    prompts.queueAnswer(kIdOk);
    tree.newFolder(rootItem());
    prompts.queueTypedName(longName());
    prompts.queueAnswer(kIdOk);
    tree.renameCard(cardItem(u"Home"));
    EXPECT_EQ(std::nullopt, tree.renameInPlace(cardItem(u"Home"), longName()));
    ASSERT_EQ(2u, prompts.shown().size());
    EXPECT_EQ(u"Folder already exists", prompts.shown()[0].text);
    EXPECT_EQ(lookup(tree.flavour().renameCardFailureKey), prompts.shown()[1].text);
    EXPECT_EQ("Home" + extension(), testing::ListFolder(root));
    EXPECT_TRUE(notices().empty());
}

TEST_P(CardTreeLongPathTest, CaseOfANameChangesInPlace) {
    makeCard(u"Home", "home");
    EXPECT_EQ(u"HOME", tree.renameInPlace(cardItem(u"Home"), u"HOME"));
    EXPECT_EQ("HOME" + extension(), testing::ListFolder(root));
    EXPECT_TRUE(prompts.shown().empty());
}

}  // namespace
}  // namespace tarnwick
