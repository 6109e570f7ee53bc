// The New Identity dialog's rules: the check box from the option and its hot
// keys, OK's password, name and existing-file rules, where the card is made
// and its notice, and the chooser's numbered new folders.
#include "identity_editor/new_identity_dialog.h"

#include "cardtree/tree_flavour.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "support/test_password_gate.h"
#include "unit/editor_common/editor_fixture.h"

namespace tarnwick {
namespace {

using Sent = testing::RecordingWindows::Sent;

constexpr WindowRef kDialog = 0xD1;

class NewIdentityDialogTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        ClearCurrentPrimaryPassword();
        setRootUser();
        writeOptions(u"1");
        ASSERT_TRUE(identityProfile.LoadCurrentUser());
        tray = windows.addTopLevel(window_class::kTray);
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }
    void writeOptions(std::u16string_view protect) {
        WriteTextLines(OptionFilePath(userFolder), {u"[CHECKKEY]", MakeCheckText(u"Secret#1"), u"[KEY]", u"0",
                                                    u"[IDENTITYPROTECT]", std::u16string(protect)});
    }
    NewIdentityDialog makeDialog() {
        return NewIdentityDialog(identityProfile, record, signals, NativeFileSystem(), IdentityMessages());
    }

    WindowRef tray = kNoWindow;
    IdentityRecord record{identityProfile, prompts, NativeFileSystem(), IdentityMessages()};
};

TEST_F(NewIdentityDialogTest, TheCheckBoxStartsFromTheOptionAndTheHotKeysToggleIt) {
    NewIdentityDialog dialog = makeDialog();
    EXPECT_TRUE(dialog.protect());
    EXPECT_TRUE(dialog.hotKey(1003));
    EXPECT_FALSE(dialog.protect());
    EXPECT_FALSE(dialog.hotKey(999));
    EXPECT_FALSE(dialog.protect());
    writeOptions(u"0");
    EXPECT_FALSE(makeDialog().protect());
    EXPECT_TRUE(NewIdentityDialog::okEnabled(u"x"));
    EXPECT_FALSE(NewIdentityDialog::okEnabled(u""));
}

TEST_F(NewIdentityDialogTest, OkMakesTheCardInTheUserFolderAndAnnouncesIt) {
    writeOptions(u"0");
    NewIdentityDialog dialog = makeDialog();
    EXPECT_TRUE(dialog.accept(kDialog, u"  Home"));
    const std::u16string card = userFolder + u"\\Home.vrt";
    EXPECT_EQ(dialog.createdPath(), card);
    EXPECT_EQ(windows.sent(), (std::vector<Sent>{{tray, tray_code::kIdentitiesChanged, card,
                                                  static_cast<std::uint32_t>(2 * (card.size() + 1))}}));
    IdentityRecord reader(identityProfile, prompts, NativeFileSystem(), IdentityMessages());
    ASSERT_EQ(reader.load(card), kCardLoaded);
    EXPECT_EQ(reader.fields[u"[NAME]"], u"|Home");
    EXPECT_EQ(prompts.passwordDialogsShown(), 0);
}

TEST_F(NewIdentityDialogTest, AProtectedCardAsksForThePasswordAndACancelUnchecksTheBox) {
    NewIdentityDialog dialog = makeDialog();
    EXPECT_FALSE(dialog.accept(kDialog, u"Home"));  // the password dialog cancelled
    EXPECT_FALSE(dialog.protect());
    EXPECT_FALSE(testing::FileExists(userFolder + u"\\Home.vrt"));
    dialog.toggleProtect();
    prompts.queuePasswordEntry(u"Secret#1");
    EXPECT_TRUE(dialog.accept(kDialog, u"Home"));
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(userFolder + u"\\Home.vrt", isProtected));
    EXPECT_TRUE(isProtected);
}

TEST_F(NewIdentityDialogTest, ABadNameOrAnExistingCardKeepsTheDialogOpen) {
    writeOptions(u"0");
    makeFile(u"Home.vrt");
    NewIdentityDialog dialog = makeDialog();
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(dialog.accept(kDialog, u"a/b"));
    EXPECT_FALSE(dialog.accept(kDialog, u"Home"));
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].owner, kDialog);
    EXPECT_EQ(prompts.shown()[0].text,
              u"Identity name cannot be empty and it cannot contain characters \\ / : * ? \" < > | ");
    EXPECT_EQ(prompts.shown()[1].caption, u"Tarnwick Error");
    EXPECT_EQ(prompts.shown()[1].text, u"目录下有同名文件");
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(NewIdentityDialogTest, TheChoosersFolderTakesTheCard) {
    writeOptions(u"0");
    makeFolder(u"Work");
    NewIdentityDialog dialog = makeDialog();
    dialog.setChooserFolder(userFolder + u"\\Work");
    EXPECT_TRUE(dialog.accept(kDialog, u"Me"));
    EXPECT_TRUE(testing::FileExists(userFolder + u"\\Work\\Me.vrt"));
    dialog.setChooserFolder(std::nullopt);
    EXPECT_TRUE(dialog.accept(kDialog, u"Me"));
    EXPECT_TRUE(testing::FileExists(userFolder + u"\\Me.vrt"));
}

TEST_F(NewIdentityDialogTest, NewFolderTakesTheFirstFreeNumberedNameAndAnnouncesBothSides) {
    NewIdentityDialog dialog = makeDialog();
    EXPECT_EQ(dialog.newFolder(kDialog, userFolder), userFolder + u"\\New Folder");
    makeFolder(u"New Folder - 2");
    EXPECT_EQ(dialog.newFolder(kDialog, userFolder), userFolder + u"\\New Folder - 1");
    EXPECT_EQ(dialog.newFolder(kDialog, userFolder), userFolder + u"\\New Folder - 3");
    ASSERT_EQ(windows.sent().size(), 6u);
    EXPECT_EQ(windows.sent()[0].code, tray_code::kPasscardsChanged);
    EXPECT_EQ(windows.sent()[1].code, tray_code::kIdentitiesChanged);
    EXPECT_EQ(windows.sent()[5].text, userFolder + u"\\New Folder - 3");
}

TEST_F(NewIdentityDialogTest, ANewFolderThatCannotBeMadeIsReported) {
    NewIdentityDialog dialog = makeDialog();
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(dialog.newFolder(kDialog, userFolder + u"\\missing"), std::nullopt);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not create a new folder in " + userFolder +
                                           u"\\missing\nThe system cannot find the path specified.");
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(NewIdentityDialogTest, TheChoosersMenuDeletesAndRenamesFoldersButNeverItsRoot) {
    EXPECT_TRUE(ChooserContextMenu(ItemKind::Root).entries.empty());
    EXPECT_TRUE(ChooserContextMenu(ItemKind::Card).entries.empty());
    const TreeContextMenu menu = ChooserContextMenu(ItemKind::Folder);
    EXPECT_EQ(menu.name, u"NEWFILETREE");
    EXPECT_EQ(menu.entries, (std::vector<MenuEntry>{{32807, u"&Delete"}, {32808, u"&Rename..."}}));

    makeFolder(u"Old");
    makeFolder(u"Gone");
    EditorClipboard clipboard;
    CardTree chooser(IdentityTreeFlavour(), userFolder, clipboard,
                     CardTreePorts{NativeFileSystem(), prompts, signals, launcher}, IdentityMessages());
    chooser.model().setShowCards(false);
    chooser.model().setRoot();
    EXPECT_FALSE(RunChooserCommand(chooser, kChooserDeleteFolder, {ItemKind::Root, userFolder}));
    EXPECT_FALSE(RunChooserCommand(chooser, 32786, {ItemKind::Folder, userFolder + u"\\Old"}));
    EXPECT_TRUE(testing::FileExists(userFolder));

    EXPECT_TRUE(RunChooserCommand(chooser, kChooserDeleteFolder, {ItemKind::Folder, userFolder + u"\\Gone"}));
    EXPECT_FALSE(testing::FileExists(userFolder + u"\\Gone"));
    prompts.queueTypedName(u"New");
    EXPECT_TRUE(RunChooserCommand(chooser, kChooserRenameFolder, {ItemKind::Folder, userFolder + u"\\Old"}));
    EXPECT_TRUE(testing::FileExists(userFolder + u"\\New"));
    EXPECT_FALSE(testing::FileExists(userFolder + u"\\Old"));
    // Both changes are announced to both sides of the library.
    EXPECT_EQ(windows.sent().size(), 4u);
}

}  // namespace
}  // namespace tarnwick
