// The folder operations (new, delete, rename, copy, cut, paste, explore,
// refresh) on a real folder, in both editors: the disk afterwards, every box
// with its caption and style, and the notices.
#include <gtest/gtest.h>

#include "card_tree_fixture.h"
#include "foundation/windows_path.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

using testing::CardTreeFixture;
using testing::FileExists;
using testing::FolderNotices;
using testing::ListFolder;
using testing::Notice;
using testing::ReadBytes;
using Notices = std::vector<Notice>;

class CardTreeFolderTest : public ::testing::TestWithParam<const TreeFlavour*>, public CardTreeFixture {
protected:
    CardTreeFolderTest() : CardTreeFixture(*GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(BothEditors, CardTreeFolderTest,
                         ::testing::Values(&IdentityTreeFlavour(), &PasscardTreeFlavour()), testing::FlavourName);

constexpr std::u16string_view kFolderRule =
    u"Folder name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ";

TEST_P(CardTreeFolderTest, NewFolderInTheSelectedFolderOrTheCardsFolder) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    prompts.queueTypedName(u"Books");
    tree.newFolder(folderItem(u"Shop"));
    prompts.queueTypedName(u"Music");
    tree.newFolder(cardItem(u"Shop\\Store"));
    prompts.queueTypedName(u"Top");
    tree.newFolder(rootItem());
    EXPECT_EQ("Books Music Store" + extension(), ListFolder(at(u"Shop")));
    EXPECT_TRUE(FileExists(at(u"Top")));
    Notices expected = FolderNotices(at(u"Shop\\Books"));
    for (const auto& n : FolderNotices(at(u"Shop\\Music"))) expected.push_back(n);
    for (const auto& n : FolderNotices(at(u"Top"))) expected.push_back(n);
    EXPECT_EQ(expected, notices());

    ASSERT_EQ(3u, prompts.nameDialogs().size());
    const auto& dialog = prompts.nameDialogs()[0];
    EXPECT_EQ(u"New Folder Name", dialog.look.title);
    EXPECT_EQ(u"Folder Name :", dialog.look.label);
    EXPECT_EQ(u"", dialog.look.text);
    EXPECT_EQ(256u, dialog.look.maxChars);
    EXPECT_EQ(kActiveWindow, dialog.owner);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_P(CardTreeFolderTest, NewFolderNameRuleKeepsTheDialogOpen) {
    prompts.queueTypedName(u"   ");
    prompts.queueAnswer(kIdOk);
    prompts.queueTypedName(u"a/b");
    prompts.queueAnswer(kIdOk);
    // Windows would drop the trailing spaces and make "Bank": refused too.
    prompts.queueTypedName(u"  Bank  ");
    prompts.queueAnswer(kIdOk);
    prompts.queueTypedName(u"  Bank");
    tree.newFolder(rootItem());
    ASSERT_EQ(3u, prompts.shown().size());
    expectBox(0, kFolderRule, u"Tarnwick Warning", 0x30, test::kScriptedDialogWindow);
    expectBox(1, kFolderRule, u"Tarnwick Warning", 0x30, test::kScriptedDialogWindow);
    expectBox(2, kFolderRule, u"Tarnwick Warning", 0x30, test::kScriptedDialogWindow);
    EXPECT_EQ("Bank", ListFolder(root));
    EXPECT_EQ(FolderNotices(at(u"Bank")), notices());
}

TEST_P(CardTreeFolderTest, NewFolderThatExistsOrIsCancelled) {
    makeFolder(u"Bank");
    prompts.queueTypedName(u"Bank");
    prompts.queueAnswer(kIdOk);
    tree.newFolder(rootItem());
    expectBox(0, u"Folder already exists", u"Tarnwick Error", 0x10);
    prompts.queueNameCancel();
    tree.newFolder(rootItem());
    EXPECT_EQ(1u, prompts.shown().size());
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, DeleteFolderRefusesTheRoot) {
    makeCard(u"Home");
    prompts.queueAnswer(kIdOk);
    clipboard.copy(card(u"Home"), ClipboardKind::Card);
    tree.deleteFolder(rootItem());
    expectBox(0, u"Main Folder could not be deleted", u"Tarnwick Warning", 0x30);
    EXPECT_TRUE(FileExists(card(u"Home")));
    EXPECT_EQ(card(u"Home"), clipboard.copySource());
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, EmptyFolderGoesWithoutAQuestion) {
    makeFolder(u"Shop");
    makeFolder(u"Shop\\Empty");
    clipboard.cut(at(u"Other"), ClipboardKind::Folder);
    tree.deleteFolder(folderItem(u"Shop\\Empty"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ("", ListFolder(at(u"Shop")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(at(u"Shop")), notices());
}

TEST_P(CardTreeFolderTest, FullFolderAsksOnceThenGoesWithEverythingBelow) {
    makeFolder(u"Shop");
    makeFolder(u"Shop\\Books");
    makeFolder(u"Shop\\Books\\Old");
    makeCard(u"Shop\\Books\\Old\\Deep");
    makeCard(u"Shop\\Store");
    testing::WriteBytes(at(u"Shop\\.hidden"), "x");
    prompts.queueAnswer(kIdCancel);
    tree.deleteFolder(folderItem(u"Shop"));
    expectBox(0, u"Are you sure you want to delete this folder?", u"Tarnwick Warning", 0x31);
    EXPECT_TRUE(FileExists(card(u"Shop\\Books\\Old\\Deep")));
    EXPECT_EQ(Notices{}, notices());

    prompts.queueAnswer(kIdOk);
    tree.deleteFolder(folderItem(u"Shop"));
    EXPECT_EQ(2u, prompts.shown().size());
    EXPECT_EQ("", ListFolder(root));
    EXPECT_EQ(FolderNotices(root), notices());
}

TEST_P(CardTreeFolderTest, FolderThatCannotGoIsReportedAndStillAnnounced) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    testing::MakeReadOnly(card(u"Shop\\Store"));
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    tree.deleteFolder(folderItem(u"Shop"));
    expectBox(1, u"Delete Folder failure", u"Tarnwick Error", 0x10);
    EXPECT_TRUE(FileExists(card(u"Shop\\Store")));
    EXPECT_EQ(FolderNotices(root), notices());
}

TEST_P(CardTreeFolderTest, FolderThatWillNotGoIsAskedAboutThenReported) {
    makeFolder(u"Locked");
    files.failFolderOperationsWith = kErrorAccessDenied;
    prompts.queueAnswer(kIdCancel);
    tree.deleteFolder(folderItem(u"Locked"));
    EXPECT_EQ(Notices{}, notices());
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    tree.deleteFolder(folderItem(u"Locked"));
    expectBox(0, u"Are you sure you want to delete this folder?", u"Tarnwick Warning", 0x31);
    expectBox(2, u"Delete Folder failure", u"Tarnwick Error", 0x10);
    EXPECT_TRUE(FileExists(at(u"Locked")));
    EXPECT_EQ(FolderNotices(root), notices());
}

TEST_P(CardTreeFolderTest, FolderCopyThatFailsIsStillAnnounced) {
    makeFolder(u"Bank");
    makeFolder(u"Archive");
    tree.copyFolder(folderItem(u"Bank"));
    files.failFolderOperationsWith = kErrorDiskFull;
    tree.paste(folderItem(u"Archive"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ("", ListFolder(at(u"Archive")));
    EXPECT_EQ(at(u"Bank"), clipboard.copySource());
    EXPECT_EQ(FolderNotices(at(u"Archive")), notices());
}

TEST_P(CardTreeFolderTest, DeletePathTooLongForItsBufferIsNeverCutShort) {
    // {root}\Deep\{200 a}\{100 b}.txt is longer than 259 characters; cut to
    // 259 it would name another entry of the library.
    const std::u16string longFolder = u"Deep\\" + std::u16string(200, u'a');
    makeFolder(u"Deep");
    makeFolder(longFolder);
    const std::u16string longFile = at(longFolder + u"\\" + std::u16string(100, u'b') + u".txt");
    ASSERT_GT(longFile.size(), 259u);
    testing::WriteBytes(longFile, "keep");
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    tree.deleteFolder(folderItem(u"Deep"));
    expectBox(1, u"Delete Folder failure", u"Tarnwick Error", 0x10);
    EXPECT_EQ("keep", ReadBytes(longFile));
}

TEST_P(CardTreeFolderTest, RenameFolder) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    clipboard.copy(card(u"Shop\\Store"), ClipboardKind::Card);
    prompts.queueTypedName(u" Market");
    tree.renameFolder(folderItem(u"Shop"));
    ASSERT_EQ(1u, prompts.nameDialogs().size());
    EXPECT_EQ(tree.flavour().cardKind == CardKind::Identity ? u"Rename Folder" : u"Rename Folder Name",
              prompts.nameDialogs()[0].look.title);
    EXPECT_EQ(u"Folder Name :", prompts.nameDialogs()[0].look.label);
    EXPECT_EQ(u"Shop", prompts.nameDialogs()[0].look.text);
    EXPECT_TRUE(FileExists(card(u"Market\\Store")));
    EXPECT_FALSE(FileExists(at(u"Shop")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(at(u"Market")), notices());
}

TEST_P(CardTreeFolderTest, RenameFolderCancelledOrFailing) {
    makeFolder(u"Shop");
    makeFolder(u"Bank");
    clipboard.copy(at(u"Bank"), ClipboardKind::Folder);
    prompts.queueNameCancel();
    tree.renameFolder(folderItem(u"Shop"));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(root + u"\\"), notices());

    prompts.queueTypedName(u"Bank");
    prompts.queueAnswer(kIdOk);
    tree.renameFolder(folderItem(u"Shop"));
    expectBox(0, u"Rename the folder failure", u"Tarnwick Error", 0x10);
    EXPECT_EQ("Bank Shop", ListFolder(root));
    EXPECT_EQ(4u, notices().size());
    EXPECT_EQ((Notice{tray_code::kIdentitiesChanged, at(u"Bank")}), notices().back());
}

TEST_P(CardTreeFolderTest, RootIsNeverRenamed) {
    prompts.queueAnswer(kIdOk);
    tree.renameFolder(rootItem());
    expectBox(0, u"The name of the main folder can not change", u"Tarnwick Error", 0x30);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(std::nullopt, tree.renameInPlace(rootItem(), u"bob"));
    EXPECT_EQ(2u, prompts.shown().size());
    EXPECT_TRUE(prompts.nameDialogs().empty());
    EXPECT_TRUE(FileExists(root));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, CopiedFolderIsPastedWholeAndAgain) {
    makeFolder(u"Bank");
    makeFolder(u"Bank\\Old");
    makeCard(u"Bank\\Old\\Card", "old bytes");
    makeCard(u"Bank\\Main", "main bytes");
    makeFolder(u"Archive");
    tree.copyFolder(folderItem(u"Bank"));
    EXPECT_EQ(at(u"Bank"), clipboard.copySource());
    EXPECT_EQ(ClipboardKind::Folder, clipboard.kind());
    tree.paste(folderItem(u"Archive"));
    EXPECT_EQ("old bytes", ReadBytes(card(u"Archive\\Bank\\Old\\Card")));
    EXPECT_EQ("main bytes", ReadBytes(card(u"Archive\\Bank\\Main")));
    // The kind stays with the copy source: a second Paste copies the folder again.
    tree.paste(folderItem(u"Archive"));
    EXPECT_EQ("main bytes", ReadBytes(card(u"Archive\\Bank - Copy1\\Main")));
    EXPECT_EQ(at(u"Bank"), clipboard.copySource());
    Notices expected = FolderNotices(at(u"Archive"));
    for (const auto& n : FolderNotices(at(u"Archive"))) expected.push_back(n);
    EXPECT_EQ(expected, notices());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_P(CardTreeFolderTest, FolderIsNotCopiedIntoItselfOrBelowIt) {
    makeFolder(u"Bank");
    makeFolder(u"Bank\\Old");
    for (const std::u16string target : {u"Bank", u"Bank\\Old", u"BANK\\old"}) {
        tree.copyFolder(folderItem(u"Bank"));
        prompts.queueAnswer(kIdOk);
        tree.paste(folderItem(target));
        expectBox(prompts.shown().size() - 1,
                  u"Source and Destination folders are the same, or Destination folder is inside "
                  u"Source folder",
                  u"Tarnwick Warning", 0x30);
        EXPECT_TRUE(clipboard.empty());
    }
    EXPECT_EQ("Old", ListFolder(at(u"Bank")));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, FolderWhosePathOnlySharesTheSourceTextTakesTheCopy) {
    makeFolder(u"Bank");
    makeCard(u"Bank\\Main");
    makeFolder(u"Banking");
    tree.copyFolder(folderItem(u"Bank"));
    tree.paste(folderItem(u"Banking"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(FileExists(card(u"Banking\\Bank\\Main")));
    EXPECT_EQ(FolderNotices(at(u"Banking")), notices());
}

TEST_P(CardTreeFolderTest, CutFolderMovesOnceAndIsDimmedUntilThen) {
    makeFolder(u"Bank");
    makeCard(u"Bank\\Main");
    makeFolder(u"Archive");
    makeFolder(u"Archive\\Bank");
    tree.model().setRoot();
    EXPECT_TRUE(tree.runCommand(tree.flavour().commands.cutFolder, folderItem(u"Bank")));
    EXPECT_EQ(at(u"Bank"), clipboard.cutSource());
    ASSERT_NE(nullptr, tree.model().cutItem());
    EXPECT_EQ(at(u"Bank"), tree.model().cutItem()->path());
    EXPECT_TRUE(tree.runCommand(tree.flavour().commands.paste, folderItem(u"Archive")));
    EXPECT_TRUE(FileExists(card(u"Archive\\Bank - Copy1\\Main")));
    EXPECT_FALSE(FileExists(at(u"Bank")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(nullptr, tree.model().cutItem());
    EXPECT_EQ(FolderNotices(at(u"Archive")), notices());
}

TEST_P(CardTreeFolderTest, CutFolderIntoItselfFails) {
    makeFolder(u"Bank");
    makeFolder(u"Bank\\Old");
    tree.cutFolder(folderItem(u"Bank"));
    prompts.queueAnswer(kIdOk);
    tree.paste(folderItem(u"Bank\\Old"));
    expectBox(0, u"Cut folder Failure", u"Tarnwick Error", 0x10);
    EXPECT_EQ("Old", ListFolder(at(u"Bank")));
    EXPECT_TRUE(clipboard.empty());
    EXPECT_EQ(FolderNotices(at(u"Bank\\Old")), notices());
}

TEST_P(CardTreeFolderTest, PasteWithNothingRememberedOnlyAnnounces) {
    tree.paste(rootItem());
    EXPECT_EQ(FolderNotices(root), notices());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_P(CardTreeFolderTest, ExploreStartsTheBrowserWithTheWidePath) {
    makeFolder(u"\u65E5\u672C \u0141\u00F3d\u017A");
    tree.exploreFolder(folderItem(u"\u65E5\u672C \u0141\u00F3d\u017A"));
    tree.exploreFolder(rootItem());
    EXPECT_EQ((std::vector<std::u16string>{u"explorer /n, " + at(u"\u65E5\u672C \u0141\u00F3d\u017A") + u"\\",
                                           u"explorer /n, " + root + u"\\"}),
              launcher.processes());
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, RefreshAnnouncesAnEmptyPath) {
    EXPECT_TRUE(tree.runCommand(tree.flavour().commands.refreshFolder, rootItem()));
    EXPECT_EQ(FolderNotices(u""), notices());
}

TEST_P(CardTreeFolderTest, FolderRenamedInPlace) {
    makeFolder(u"Shop");
    makeFolder(u"Bank");
    tree.model().setRoot();
    EXPECT_EQ(u"Market", tree.renameInPlace(folderItem(u"Shop"), u"Market"));
    EXPECT_EQ(at(u"Market"), tree.model().itemAt(at(u"Market"))->path());
    EXPECT_EQ("Bank Market", ListFolder(root));
    EXPECT_EQ(FolderNotices(at(u"Market")), notices());

    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(std::nullopt, tree.renameInPlace(folderItem(u"Market"), u"Bank"));
    expectBox(0, u"The same name folder already exists", u"Tarnwick Error", 0x10);
    EXPECT_EQ(std::nullopt, tree.renameInPlace(folderItem(u"Market"), u"Market"));
    EXPECT_EQ(1u, prompts.shown().size());
}

TEST_P(CardTreeFolderTest, InPlaceNameThatWouldLeaveTheFolderIsRefused) {
    makeFolder(u"Shop");
    makeFolder(u"Shop\\Inner");
    for (const std::u16string text : {u"..\\..\\Escaped", u"a\\b", u"   ", u"x:y"}) {
        prompts.queueAnswer(kIdOk);
        EXPECT_EQ(std::nullopt, tree.renameInPlace(folderItem(u"Shop\\Inner"), text));
        expectBox(prompts.shown().size() - 1, kFolderRule, u"Tarnwick Warning", 0x30);
    }
    EXPECT_EQ("Inner", ListFolder(at(u"Shop")));
    EXPECT_EQ("Shop", ListFolder(root));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, InPlaceRenameThatFailsShowsNothing) {
    EXPECT_EQ(std::nullopt, tree.renameInPlace(folderItem(u"Gone"), u"Other"));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, DropTargetsAreOtherFoldersOffTheDraggedItemsWay) {
    const TreeSelection shop = folderItem(u"Shop");
    EXPECT_TRUE(tree.canDrop(shop, folderItem(u"Bank")));
    EXPECT_TRUE(tree.canDrop(shop, folderItem(u"Bank\\Old")));
    EXPECT_TRUE(tree.canDrop(shop, folderItem(u"Shop\\Books\\Old")));  // fails on disk later
    EXPECT_TRUE(tree.canDrop(folderItem(u"Shop\\Books"), folderItem(u"Bank")));
    EXPECT_FALSE(tree.canDrop(shop, shop));
    EXPECT_FALSE(tree.canDrop(shop, rootItem()));
    EXPECT_FALSE(tree.canDrop(shop, cardItem(u"Bank")));
    EXPECT_FALSE(tree.canDrop(shop, folderItem(u"Shop\\Books")));
    EXPECT_FALSE(tree.canDrop(folderItem(u"Shop\\Books\\Old"), shop));
    EXPECT_FALSE(tree.canDrop(folderItem(u"Shop\\Books\\Old"), folderItem(u"Shop\\Books")));
    EXPECT_TRUE(tree.canDrop(cardItem(u"Shop\\Store"), folderItem(u"Shop\\Store")));
    EXPECT_FALSE(tree.canDrop(cardItem(u"Shop\\Store"), shop));
    EXPECT_FALSE(tree.canDrop(rootItem(), folderItem(u"Shop\\Books")));
}

TEST_P(CardTreeFolderTest, DroppedFolderMovesAndAnnouncesItsNewPath) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    makeFolder(u"Bank");
    EXPECT_TRUE(tree.dropOnto(folderItem(u"Shop"), folderItem(u"Bank")));
    EXPECT_TRUE(FileExists(card(u"Bank\\Shop\\Store")));
    EXPECT_EQ(FolderNotices(at(u"Bank\\Shop")), notices());
}

TEST_P(CardTreeFolderTest, DropOntoASameNameOrBelowItself) {
    makeFolder(u"Shop");
    makeFolder(u"Shop\\Books");
    makeFolder(u"Shop\\Books\\Old");
    makeFolder(u"Bank");
    makeFolder(u"Bank\\Shop");
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(tree.dropOnto(folderItem(u"Shop"), folderItem(u"Bank")));
    expectBox(0, u"The same name folder already exists", u"Tarnwick Error", 0x10);
    EXPECT_FALSE(tree.dropOnto(folderItem(u"Shop"), folderItem(u"Shop\\Books\\Old")));
    EXPECT_EQ(1u, prompts.shown().size());
    EXPECT_EQ("Books", ListFolder(at(u"Shop")));
    EXPECT_EQ(Notices{}, notices());
}

TEST_P(CardTreeFolderTest, ReloadRebuildsAndFindsThePathOrTheCurrentOne) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    tree.model().setRoot();
    makeFolder(u"Later");
    TreeItem* item = tree.reload(card(u"Shop\\Store"), root);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ((TreeSelection{ItemKind::Card, at(u"Shop\\Store")}), item->selection());
    EXPECT_EQ(at(u"Later"), tree.reload(u"", at(u"Later"))->path());
    EXPECT_EQ(2u, tree.model().root()->children().size());
}

TEST_P(CardTreeFolderTest, ReloadReadsTheReceivedPathAsTheFileSystemDoes) {
    makeFolder(u"Shop");
    makeCard(u"Shop\\Store");
    makeFolder(u"Bank");
    // Either separator, dot segments and trailing dots reach the same item.
    const std::u16string store = at(u"Shop\\Store");
    for (const std::u16string& sent : {root + u"/Shop/Store", root + u"\\Bank\\..\\Shop\\.\\Store",
                                       root + u"//Shop//Store. ", card(u"Bank/../Shop/Store")}) {
        TreeItem* item = tree.reload(sent, root);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ((TreeSelection{ItemKind::Card, store}), item->selection()) << Utf16ToUtf8(sent);
    }
    // What resolves outside the library, or cannot be resolved, selects the root.
    for (const std::u16string& sent : {root + u"\\..", root + u"/../Other\\Shop\\Store", u"\\\\?\\" + root,
                                       root + u"\\Shop\\..\\..\\" + std::u16string(LastComponent(root))}) {
        EXPECT_EQ(tree.model().root(), tree.reload(sent, at(u"Bank"))) << Utf16ToUtf8(sent);
    }
    EXPECT_EQ(at(u"Bank"), tree.reload(u"", at(u"Bank/."))->path());
}

TEST_P(CardTreeFolderTest, ContextMenusOfTheEditor) {
    const TreeCommandIds& ids = tree.flavour().commands;
    const auto file = tree.contextMenuFor(ItemKind::Card);
    EXPECT_EQ(u"TREE_FILE", file.name);
    EXPECT_EQ((std::vector<MenuEntry>{{ids.deleteCard, u"&Delete"},
                                      {ids.renameCard, u"&Rename..."},
                                      {},
                                      {ids.copyCard, u"&Copy"},
                                      {ids.cutCard, u"C&ut"},
                                      {},
                                      {ids.toggleProtection, u"&Protected"}}),
              file.entries);
    const auto rootMenu = tree.contextMenuFor(ItemKind::Root);
    EXPECT_EQ(u"TREE_ROOT", rootMenu.name);
    EXPECT_EQ((std::vector<MenuEntry>{{ids.newFolder, u"&New Folder..."},
                                      {},
                                      {ids.paste, u"&Paste", false},
                                      {},
                                      {ids.exploreFolder, u"&Explore Folder..."},
                                      {ids.refreshFolder, u"Refresh &Folder"}}),
              rootMenu.entries);
    const auto folderMenu = tree.contextMenuFor(ItemKind::Folder);
    EXPECT_EQ(u"TREE_FOLDER", folderMenu.name);
    ASSERT_EQ(10u, folderMenu.entries.size());
    EXPECT_EQ((MenuEntry{ids.deleteFolder, u"&Delete"}), folderMenu.entries[1]);
    EXPECT_EQ((MenuEntry{ids.renameFolder, u"&Rename..."}), folderMenu.entries[2]);
    EXPECT_EQ((MenuEntry{ids.paste, u"&Paste", false}), folderMenu.entries[6]);
    clipboard.cut(at(u"x"), ClipboardKind::Folder);
    EXPECT_TRUE(tree.contextMenuFor(ItemKind::Folder).entries[6].enabled);
    EXPECT_TRUE(tree.contextMenuFor(ItemKind::Root).entries[2].enabled);
}

TEST(CardTreeCommands, EachEditorHasItsOwnIds) {
    const TreeCommandIds& identity = IdentityTreeFlavour().commands;
    EXPECT_EQ((std::vector<unsigned>{32782, 32786, 32787, 32788, 32789, 32783, 32784, 32785, 32796, 32795, 32779, 32780,
                                     32781}),
              (std::vector<unsigned>{identity.newFolder, identity.deleteFolder, identity.renameFolder,
                                     identity.copyFolder, identity.cutFolder, identity.paste, identity.exploreFolder,
                                     identity.refreshFolder, identity.deleteCard, identity.renameCard,
                                     identity.copyCard, identity.cutCard, identity.toggleProtection}));
    const TreeCommandIds& passcard = PasscardTreeFlavour().commands;
    EXPECT_EQ((std::vector<unsigned>{32816, 32818, 32835, 32851, 32852, 32840, 32842, 32849, 32790, 32791, 32833, 32832,
                                     32803}),
              (std::vector<unsigned>{passcard.newFolder, passcard.deleteFolder, passcard.renameFolder,
                                     passcard.copyFolder, passcard.cutFolder, passcard.paste, passcard.exploreFolder,
                                     passcard.refreshFolder, passcard.deleteCard, passcard.renameCard,
                                     passcard.copyCard, passcard.cutCard, passcard.toggleProtection}));
}

TEST(CardTreeCommands, ProtectionAndOtherIdsAreLeftToTheEditor) {
    CardTreeFixture identity(IdentityTreeFlavour());
    EXPECT_FALSE(identity.tree.runCommand(32781, identity.cardItem(u"x")));
    EXPECT_FALSE(identity.tree.runCommand(32849, identity.rootItem()));  // the other editor's Refresh
    EXPECT_TRUE(identity.tree.runCommand(32785, identity.rootItem()));
    CardTreeFixture passcard(PasscardTreeFlavour());
    EXPECT_FALSE(passcard.tree.runCommand(32803, passcard.cardItem(u"x")));
    EXPECT_TRUE(passcard.tree.runCommand(32849, passcard.rootItem()));
}

}  // namespace
}  // namespace tarnwick
