// Backup, import, switch and removal of users on real folders: what is
// copied or deleted, what "RootUser" becomes, which boxes are shown, and the
// refusals of folders that are not users.
#include "tray/user_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/message_box.h"
#include "platform/host/host_file_system.h"
#include "platform/utf8.h"
#include "tray/list_image.h"
#include "unit/tray/tray_fixture.h"

namespace tarnwick {
namespace {

using Texts = std::vector<std::u16string>;
using testing::FileExists;
using testing::ListFolder;

class UserCommandsTest : public TrayFixture {
protected:
    UserCommandsTest() {
        testing::WritePasscard(alice + u"\\a.vrc", u"key a");
        testing::CreateFolder(alice + u"\\Shop");
        testing::WriteIdentityCard(alice + u"\\Shop\\Me.vrt");
        setRootUser(alice);
        startTray();
        options = windows.addTopLevel(window_class::kDialog, u"Tarnwick");
        prompts.setActiveWindow(77);
    }
    // The one box shown since the last call: "caption|text|style|owner".
    std::string lastBox() {
        if (prompts.shown().size() != boxesSeen + 1)
            return "boxes: " + std::to_string(prompts.shown().size() - boxesSeen);
        const auto& box = prompts.shown()[boxesSeen++];
        return Utf16ToUtf8(box.caption) + "|" + Utf16ToUtf8(box.text) + "|" + std::to_string(box.style) + "|" +
               std::to_string(box.owner);
    }
    std::string expectedBox(const char* caption, const char* text, unsigned style, WindowRef owner) {
        return std::string(caption) + "|" + text + "|" + std::to_string(style) + "|" + std::to_string(owner);
    }
    Texts publishedPasscards() {
        const auto bytes = sections.contents(file_mapping::kName);
        return ReadBlock(bytes->data(), file_mapping::kPasscardsOffset);
    }

    WindowRef options = kNoWindow;
    std::size_t boxesSeen = 0;
};

TEST_F(UserCommandsTest, BackupCopiesTheWholeUserFolderUnderItsName) {
    const std::u16string save = folder.file(u"Save");
    testing::CreateFolder(save);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(service->onCopyData(6, save), 6);
    EXPECT_EQ(ListFolder(save + u"\\Alice"), "Shop a.vrc option.vro");
    EXPECT_EQ(ListFolder(save + u"\\Alice\\Shop"), "Me.vrt");
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Backup success of the current user data", 0, options));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].owner, 77u);  // the shell's dialogs belong to the active window

    // Again: the folder is there now.
    prompts.queueAnswer(kIdOk);
    service->onCopyData(6, save);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Warning", "The same name folder already exists", 0x30, options));
    EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(UserCommandsTest, BackupFailureCancelAndTooLongPaths) {
    const std::u16string save = folder.file(u"Save");
    shell.scripted = ShellCopyResult{0x75, false};
    prompts.queueAnswer(kIdOk);
    service->onCopyData(6, save);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Backup failure of the current user data", 0, options));
    shell.scripted = ShellCopyResult{0, true};
    service->onCopyData(6, save);
    EXPECT_EQ(lastBox(), "boxes: 0");  // cancelled in the shell: nothing to say
    // 260 characters with "\Alice": refused before anything is copied.
    shell.calls.clear();
    prompts.queueAnswer(kIdOk);
    service->onCopyData(6, u"Z:\\" + std::u16string(251, u'x'));
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Backup failure of the current user data", 0, options));
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(UserCommandsTest, ResultBoxesHaveNoOwnerWithoutTheOptionsDialog) {
    windows = testing::RecordingWindows();
    startTray();
    prompts.queueAnswer(kIdOk);
    service->onCopyData(16, folder.file(u"Nothing"));
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Warning", "文件夹不包含有效用户数据", 0x30, kNoWindow));
}

TEST_F(UserCommandsTest, ImportCopiesAUserFolderIntoTheDataRootWithoutSwitching) {
    const std::u16string old = folder.file(u"Old");
    const std::u16string bob = old + u"\\Bob";
    testing::CreateFolder(bob);
    testing::WriteIdentityCard(bob + u"\\Bob.vrt");
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(service->onCopyData(16, bob), 16);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Warning", "文件夹不包含有效用户数据", 0x30, options));
    EXPECT_FALSE(FileExists(root + u"\\Bob"));

    testing::MakeUserFolder(bob);
    prompts.queueAnswer(kIdOk);
    service->onCopyData(16, bob);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Import User Data success", 0, options));
    EXPECT_EQ(ListFolder(root + u"\\Bob"), "Bob.vrt option.vro");
    EXPECT_EQ(rootUser(), alice);

    prompts.queueAnswer(kIdOk);
    service->onCopyData(16, bob);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Warning", "The same name folder already exists", 0x30, options));

    shell.scripted = ShellCopyResult{1, false};
    testing::MakeUserFolder(old + u"\\Carol");
    prompts.queueAnswer(kIdOk);
    service->onCopyData(16, old + u"\\Carol");
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Import User Data failure", 0, options));
}

TEST_F(UserCommandsTest, SwitchMakesAUserFolderCurrentAndRepublishes) {
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    testing::WritePasscard(bob + u"\\bob.vrc", u"bob key");
    const WindowRef editor = windows.addTopLevel(window_class::kPasscardEditor);
    const WindowRef frame = windows.addTopLevel(window_class::kBrowserFrame);
    EXPECT_EQ(service->onCopyData(2, bob), 2);
    EXPECT_EQ(rootUser(), bob);
    EXPECT_EQ(service->user().name, u"Bob");
    EXPECT_EQ(publishedPasscards(), (Texts{u"\\bob"}));
    EXPECT_EQ(windows.sentTo(), std::vector<WindowRef>{editor});
    EXPECT_EQ(windows.posted().size(), 1u);
    EXPECT_EQ(windows.posted()[0].to, frame);
}

TEST_F(UserCommandsTest, SwitchRefusesAFolderThatIsNotAUser) {
    testing::CreateFolder(root + u"\\Empty");
    const WindowRef editor = windows.addTopLevel(window_class::kPasscardEditor);
    for (const std::u16string& target :
         {root + u"\\Empty", root + u"\\Missing", std::u16string(), u"Z:\\" + std::u16string(260, u'y')}) {
        EXPECT_EQ(service->onCopyData(1, target), 1);
    }
    EXPECT_EQ(rootUser(), alice);
    EXPECT_TRUE(windows.sent().empty()) << "nothing is closed for a refused switch";
    (void)editor;
}

TEST_F(UserCommandsTest, RemovingTheCurrentUserChoosesTheFirstRemainingUser) {
    testing::MakeUserFolder(root + u"\\Carol");
    testing::MakeUserFolder(root + u"\\Bob");
    testing::CreateFolder(root + u"\\Attic");  // no option file: not a user
    testing::WritePasscard(root + u"\\Bob\\bob.vrc", u"bob key");
    registry.createKey(u"Software\\Tarnwick\\Alice\\ToolBar\\Keslowe\\Deep");
    registry.createKey(u"Software\\Tarnwick\\Bob\\ToolBar");
    const WindowRef identityEditor = windows.addTopLevel(window_class::kIdentityEditor);

    EXPECT_EQ(service->onCopyData(0, alice), 0);
    EXPECT_FALSE(FileExists(alice));
    EXPECT_EQ(rootUser(), root + u"\\Bob");  // the system's folder order
    EXPECT_EQ(registry.subkeys(u"Software\\Tarnwick"), Texts{u"Bob"});
    EXPECT_EQ(publishedPasscards(), (Texts{u"\\bob"}));
    // Closed twice: before the registry and before the folders.
    EXPECT_EQ(windows.sentTo(), (std::vector<WindowRef>{identityEditor, identityEditor}));
}

TEST_F(UserCommandsTest, RemovingTheLastUserLeavesNoCurrentUser) {
    EXPECT_EQ(service->onCopyData(0, alice), 0);
    EXPECT_EQ(rootUser(), u"");
    EXPECT_FALSE(service->user().exists());
    EXPECT_EQ(ListFolder(root), "");
}

TEST_F(UserCommandsTest, RemoveDeletesNothingOutsideTheDataRoot) {
    const std::u16string elsewhere = folder.file(u"Elsewhere");
    testing::MakeUserFolder(elsewhere);
    testing::MakeUserFolder(alice + u"\\Nested");
    testing::CreateFolder(root + u"\\NotAUser");
    for (const std::u16string& target :
         {elsewhere, alice + u"\\Nested", root + u"\\NotAUser", root + u"\\..\\Elsewhere", root + u"\\..", root,
          root + u"\\", std::u16string(), std::u16string(u"Z:\\")}) {
        EXPECT_EQ(service->onCopyData(0, target), 0);
    }
    EXPECT_TRUE(FileExists(elsewhere + u"\\option.vro"));
    EXPECT_TRUE(FileExists(alice + u"\\Nested\\option.vro"));
    EXPECT_TRUE(FileExists(root + u"\\NotAUser"));
    EXPECT_TRUE(FileExists(alice + u"\\a.vrc"));
    EXPECT_EQ(rootUser(), alice);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(UserCommandsTest, FoldersThatCannotBeRemovedAreReportedAndTheRemovalGoesOn) {
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    files.failDeleteWith = kErrorAccessDenied;  // no file can go
    for (int i = 0; i < 2; ++i) prompts.queueAnswer(kIdOk);
    service->onCopyData(0, alice);
    // "Shop", then Alice itself.
    ASSERT_EQ(prompts.shown().size(), 2u);
    boxesSeen = 1;
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Error", "Delete Folder failure", 0x10, 77));
    EXPECT_TRUE(FileExists(alice + u"\\Shop\\Me.vrt"));
    // Alice still holds her option file, so she is still the first user there.
    EXPECT_EQ(rootUser(), alice);
}

// Folders sent by another process are read as the file system reads them:
// "/" separates, "." and ".." are resolved, trailing dots and spaces go. What
// resolves outside its place is refused with nothing changed.
TEST_F(UserCommandsTest, RemoveRefusesFoldersThatResolveOutsideTheDataRoot) {
    const std::u16string victim = folder.file(u"victim");
    testing::MakeUserFolder(victim);
    testing::WritePasscard(victim + u"\\keep.vrc", u"keep");
    windows.addTopLevel(window_class::kPasscardEditor);
    for (const std::u16string& target :
         {alice + u"/../../victim", root + u"/../victim", root + u"\\Alice/..\\../victim",
          root + u"\\./Alice\\..\\..\\victim.", alice + u"/..", root + u"\\Alice\\Shop/..\\..", u"\\\\?\\" + alice,
          u"\\\\.\\" + alice, alice + u"\\nul\\..", alice + u":x"}) {
        EXPECT_EQ(service->onCopyData(0, target), 0);
    }
    EXPECT_EQ(ListFolder(victim), "keep.vrc option.vro");
    EXPECT_EQ(ListFolder(alice), "Shop a.vrc option.vro");
    EXPECT_EQ(rootUser(), alice);
    EXPECT_TRUE(windows.sent().empty()) << "nothing is closed for a refused removal";
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(UserCommandsTest, RemoveActsOnTheFolderTheTextResolvesTo) {
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    registry.createKey(u"Software\\Tarnwick\\Bob\\ToolBar");
    registry.createKey(u"Software\\Tarnwick\\Alice\\ToolBar");
    EXPECT_EQ(service->onCopyData(0, root + u"/Alice/..\\Bob. "), 0);
    EXPECT_FALSE(FileExists(bob));
    EXPECT_EQ(ListFolder(root), "Alice");
    EXPECT_EQ(registry.subkeys(u"Software\\Tarnwick"), Texts{u"Alice"});
    EXPECT_EQ(rootUser(), alice);
}

TEST_F(UserCommandsTest, ImportCopiesTheResolvedSourceIntoTheDataRootOnly) {
    // The text after the last "\" is "Alice/../../Loot": joined to the data
    // root as it stands, it would name a folder beside the data root.
    const std::u16string source = folder.file(u"Old\\Src");
    testing::CreateFolder(source + u"\\Alice");
    const std::u16string loot = folder.file(u"Old\\Loot");
    testing::MakeUserFolder(loot);
    testing::WriteIdentityCard(loot + u"\\Me.vrt");
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(service->onCopyData(16, source + u"\\Alice/../../Loot"), 16);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Import User Data success", 0, options));
    EXPECT_FALSE(FileExists(folder.file(u"Loot")));
    EXPECT_EQ(ListFolder(root + u"\\Loot"), "Me.vrt option.vro");
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].from, loot);
    EXPECT_EQ(shell.calls[0].to, root + u"\\Loot");
    EXPECT_EQ(rootUser(), alice);
}

TEST_F(UserCommandsTest, ImportRefusesSourcesThatCannotBeResolvedOrHoldTheDataRoot) {
    testing::MakeUserFolder(folder.path());
    const std::string before = ListFolder(folder.path());
    for (const std::u16string& source : {u"\\\\?\\" + folder.file(u"Old"), std::u16string(u"Old\\Bob"), folder.path(),
                                         root + u"\\..", std::u16string(u"Z:\\")}) {
        prompts.queueAnswer(kIdOk);
        EXPECT_EQ(service->onCopyData(16, source), 16);
        EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Import User Data failure", 0, options)) << Utf16ToUtf8(source);
    }
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(ListFolder(folder.path()), before);
    EXPECT_EQ(ListFolder(root), "Alice");
}

TEST_F(UserCommandsTest, SwitchWritesTheResolvedUserFolderOfTheDataRoot) {
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    const std::u16string outside = folder.file(u"Outside");
    testing::MakeUserFolder(outside);
    for (const std::u16string& target : {root + u"/../Outside", alice + u"\\..\\..\\Outside", outside, u"\\\\.\\" + bob,
                                         alice + u"\\Shop\\..\\..\\Bob\\x"}) {
        EXPECT_EQ(service->onCopyData(1, target), 1);
    }
    EXPECT_EQ(rootUser(), alice);
    EXPECT_TRUE(windows.sent().empty()) << "nothing is closed for a refused switch";

    EXPECT_EQ(service->onCopyData(2, alice + u"/../Bob. "), 2);
    EXPECT_EQ(rootUser(), bob);
    EXPECT_EQ(service->user().name, u"Bob");
}

TEST_F(UserCommandsTest, BackupCopiesToTheResolvedDestinationButNeverIntoTheUserFolder) {
    const std::u16string save = folder.file(u"Save");
    testing::CreateFolder(save);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(service->onCopyData(6, save + u"/Old/..\\."), 6);
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Backup success of the current user data", 0, options));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].to, save + u"\\Alice");
    EXPECT_EQ(ListFolder(save), "Alice");

    for (const std::u16string& destination : {alice + u"\\Shop", alice, root + u"/Alice/.", u"\\\\?\\" + save}) {
        prompts.queueAnswer(kIdOk);
        EXPECT_EQ(service->onCopyData(6, destination), 6);
        EXPECT_EQ(lastBox(), expectedBox("Tarnwick", "Backup failure of the current user data", 0, options))
            << Utf16ToUtf8(destination);
    }
    EXPECT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(ListFolder(alice + u"\\Shop"), "Me.vrt");
}

TEST_F(UserCommandsTest, RemovalLeavesEntriesWhoseNamesWouldNameAnother) {
    // Names Windows reads as another entry ("a." is "a"), and a host name
    // holding "\\" that joined to its folder climbs out of it.
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    testing::CreateFolder(root + u"\\Keep");
    testing::WriteBytes(root + u"\\Keep\\x.vrc", "keep");
    testing::CreateFolder(bob + u"\\Keep.");
    ASSERT_EQ(::mkdir((WindowsPathToHost(bob) + "/..\\Keep").c_str(), 0755), 0);
    prompts.queueAnswer(kIdOk);
    service->onCopyData(0, bob);
    EXPECT_TRUE(FileExists(root + u"\\Keep\\x.vrc"));
    EXPECT_TRUE(FileExists(bob + u"\\Keep."));
    EXPECT_EQ(lastBox(), expectedBox("Tarnwick Error", "Delete Folder failure", 0x10, 77));
}

}  // namespace
}  // namespace tarnwick
