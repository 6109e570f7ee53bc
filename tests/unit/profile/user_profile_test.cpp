// The current user, the program folder and the primary password: recalled,
// asked for in the dialog, remembered and forgotten in the option file.
#include "foundation/user_profile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <string>

#include "cards/card_marker.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/primary_password_dialog.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

constexpr char16_t kPassword[] = u"Secret#1";

class UserProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        userFolder = folder.path() + u"\\alice";
        testing::CreateFolder(userFolder);
        WriteTextLines(OptionFilePath(userFolder),
                       {u"[CHECKKEY]", MakeCheckText(kPassword), u"[KEY]", u"0", u"[SHOWTYPE]", u"0"});
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, userFolder);
        prompts.setActiveWindow(0x55);
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string option(std::u16string_view key) { return ReadOptionLine(userFolder, key).value; }
    UserProfile loadedProfile() {
        UserProfile profile(registry, prompts, NativeFileSystem(), IdentityMessages());
        EXPECT_TRUE(profile.LoadCurrentUser());
        return profile;
    }

    TempFolder folder;
    std::u16string userFolder;
    HostRegistry registry;
    test::ScriptedPrompts prompts;
};

TEST(UserFolderSplit, DataRootAndUserName) {
    const UserFolderParts parts = SplitUserFolder(u"C:\\Data\\alice");
    EXPECT_EQ(parts.dataRoot, u"C:\\Data");
    EXPECT_EQ(parts.userName, u"alice");
    // A trailing backslash is not expected and not removed.
    EXPECT_EQ(SplitUserFolder(u"C:\\Data\\alice\\").userName, u"");
    EXPECT_EQ(SplitUserFolder(u"alice").dataRoot, u"");
}

TEST_F(UserProfileTest, LoadsTheCurrentUserOrShowsTheNoUserError) {
    UserProfile profile = loadedProfile();
    EXPECT_EQ(profile.userFolder(), userFolder);
    EXPECT_EQ(profile.userName(), u"alice");
    EXPECT_EQ(profile.dataRoot(), folder.path());
    EXPECT_TRUE(IsUserFolder(userFolder));
    EXPECT_FALSE(IsUserFolder(folder.path()));

    HostRegistry empty;
    prompts.queueAnswer(kIdOk);
    UserProfile none(empty, prompts, NativeFileSystem(), IdentityMessages());
    EXPECT_FALSE(none.LoadCurrentUser());
    empty.writeString(registry::kTarnwickKey, registry::kRootUserValue, u"");
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(none.LoadCurrentUser());
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not find user file, please create a user.");
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_EQ(prompts.shown()[0].style, kMbOk | kMbIconError);
    EXPECT_EQ(prompts.shown()[0].owner, 0x55u);
}

TEST_F(UserProfileTest, RegistryPathsAreCutToTheirBuffer) {
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, std::u16string(300, u'x'));
    EXPECT_EQ(loadedProfile().userFolder().size(), 259u);
}

TEST_F(UserProfileTest, ProgramFolderOrItsError) {
    UserProfile profile = loadedProfile();
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(profile.GetProgramFolder(), u"");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not find program path, please reinstall the Tarnwick");
    registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, u"C:\\Program Files\\Tarnwick");
    EXPECT_EQ(profile.GetProgramFolder(), u"C:\\Program Files\\Tarnwick");
    EXPECT_EQ(prompts.shown().size(), 1u);
}

TEST_F(UserProfileTest, DialogRefusesUntilTheRightPasswordThenRemembersIt) {
    UserProfile profile = loadedProfile();
    prompts.queuePasswordEntry(u"Wrong#12");
    prompts.queuePasswordEntry(u"Secret#");     // 7 characters
    prompts.queuePasswordEntry(u"Secret#1xx");  // the edit takes 8: the right one
    prompts.queueAnswer(kIdOk);
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(profile.EnsurePrimaryPassword(0x99));
    EXPECT_EQ(prompts.passwordDialogsShown(), 1);
    EXPECT_EQ(prompts.lastPasswordOwner(), 0x55u);  // the active window
    EXPECT_EQ(prompts.lastPasswordLook().title, u"Tarnwick");
    EXPECT_EQ(prompts.lastPasswordLook().prompt,
              u"Please enter the Primary Password of Tarnwick Current user that opens protected Card");
    EXPECT_EQ(prompts.lastPasswordLook().maxChars, 8u);
    EXPECT_EQ(prompts.lastPasswordLook().fontHeight, 12);
    EXPECT_EQ(prompts.lastPasswordLook().fontFace, u"MS Shell Dlg");
    ASSERT_EQ(prompts.shown().size(), 2u);
    for (const test::ShownBox& box : prompts.shown()) {
        EXPECT_EQ(box.text, u"Current user's primary password error.");
        EXPECT_EQ(box.caption, u"Tarnwick Error");
        EXPECT_EQ(box.style, kMbOk | kMbIconError);
    }
    EXPECT_STREQ(CurrentPrimaryPassword(), "Secret#1");
    EXPECT_EQ(UnsealText(option(u"[KEY]"), kAlgorithmBlowfish, KeyModeOption), kPassword);
    // Known now: no second dialog.
    EXPECT_TRUE(profile.EnsurePrimaryPassword(0));
    EXPECT_EQ(prompts.passwordDialogsShown(), 1);
}

TEST_F(UserProfileTest, CancelForgetsTheRememberedPassword) {
    UserProfile profile = loadedProfile();
    WriteOptionLine(userFolder, u"[KEY]", u"stale");
    EXPECT_FALSE(profile.EnsurePrimaryPassword(0));
    EXPECT_EQ(prompts.passwordDialogsShown(), 1);
    EXPECT_EQ(option(u"[KEY]"), u"0");
    EXPECT_FALSE(HasCurrentPrimaryPassword());
}

TEST_F(UserProfileTest, RecallTakesOnlyAKeyThatMatchesTheCheckKey) {
    UserProfile profile = loadedProfile();
    EXPECT_FALSE(profile.RecallPrimaryPassword());  // "0"
    WriteOptionLine(userFolder, u"[KEY]", SealText(u"Other#99", kAlgorithmBlowfish, KeyModeOption));
    EXPECT_FALSE(profile.RecallPrimaryPassword());  // the password was changed since
    profile.RememberPrimaryPassword(kPassword);
    EXPECT_TRUE(profile.RecallPrimaryPassword());
    EXPECT_STREQ(CurrentPrimaryPassword(), "Secret#1");
    EXPECT_TRUE(prompts.shown().empty());

    // Another program run recalls it without asking.
    ClearCurrentPrimaryPassword();
    EXPECT_TRUE(profile.EnsurePrimaryPassword(0));
    EXPECT_EQ(prompts.passwordDialogsShown(), 0);
    profile.ForgetPrimaryPassword();
    EXPECT_EQ(option(u"[KEY]"), u"0");
}

TEST_F(UserProfileTest, MarkersTellProtectionAndOwner) {
    const std::u16string unprotected = SealText(u"UNPROTECT", kAlgorithmBlowfish, KeyModeCommon);
    EXPECT_FALSE(IsCardProtected(unprotected));
    SetCurrentPrimaryPassword("Secret#1");
    const std::u16string mine = SealText(u"PROTECT", kAlgorithmBlowfish, KeyModeUser);
    EXPECT_TRUE(IsCardProtected(mine));
    EXPECT_TRUE(CardBelongsToCurrentUser(mine));
    EXPECT_TRUE(IsCardProtected(u""));
    EXPECT_TRUE(IsCardProtected(SealText(u"UNPROTECT ", kAlgorithmBlowfish, KeyModeCommon)));
    SetCurrentPrimaryPassword("Other#99");
    EXPECT_FALSE(CardBelongsToCurrentUser(mine));
}

TEST(HostRegistry, ValuesKeysAndTheStoreFile) {
    TempFolder folder;
    const std::u16string store = folder.file(u"registry.txt");
    {
        HostRegistry registry(store, NativeFileSystem());
        EXPECT_TRUE(registry.writeString(u"Software\\Tarnwick", u"RootUser", u"C:\\a=b\\\u00e9\n"));
        EXPECT_TRUE(registry.writeDword(u"Software\\Tarnwick\\alice\\ToolBar\\Keslowe", u"N", 7));
        EXPECT_TRUE(registry.createKey(u"Software\\Tarnwick\\alice\\ToolBar\\Mirelune"));
    }
    HostRegistry registry(store, NativeFileSystem());
    EXPECT_EQ(registry.readString(u"SOFTWARE\\tarnwick", u"rootuser", 260), u"C:\\a=b\\\u00e9\n");
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick", u"RootUser", 3), u"C:");
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick", u"Missing", 260), std::nullopt);
    EXPECT_EQ(registry.readDword(u"Software\\Tarnwick\\alice\\ToolBar\\Keslowe", u"N"), 7u);
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick\\alice\\ToolBar\\Keslowe", u"N", 260), std::nullopt);
    EXPECT_EQ(registry.subkeys(u"Software\\Tarnwick\\alice\\ToolBar"),
              (std::vector<std::u16string>{u"Keslowe", u"Mirelune"}));
    EXPECT_FALSE(registry.deleteKey(u"Software\\Tarnwick\\alice"));  // it has subkeys
    EXPECT_TRUE(DeleteKeyTree(registry, u"Software\\Tarnwick\\alice"));
    EXPECT_TRUE(registry.subkeys(u"Software\\Tarnwick").empty());
    EXPECT_FALSE(DeleteKeyTree(registry, u"Software\\Tarnwick\\alice"));
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick", u"RootUser", 260), u"C:\\a=b\\\u00e9\n");
}

// While it lives, no file of this process grows past `bytes` (a full disk):
// writes past it fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedSignal_)(int) = SIG_DFL;
};

// The disk fills up while the store is written: the store keeps every value
// it held, and the write reports the failure.
TEST(HostRegistry, AFailedWriteLeavesTheStoreAsItWas) {
    TempFolder folder;
    const std::u16string store = folder.file(u"registry.txt");
    {
        HostRegistry registry(store, NativeFileSystem());
        ASSERT_TRUE(registry.writeString(u"Software\\Tarnwick", u"RootUser", u"C:\\data\\alice"));
        ASSERT_TRUE(registry.writeString(u"Software\\Tarnwick", u"FilePath", u"C:\\Program"));
    }
    const std::string before = testing::ReadBytes(folder.file(u"registry.txt"));
    {
        // Files of this process may grow no further than the store is now.
        FileSizeLimit limit(before.size());
        HostRegistry registry(store, NativeFileSystem());
        EXPECT_FALSE(registry.writeString(u"Software\\Tarnwick", u"RootUser", std::u16string(200, u'x')));
    }
    EXPECT_EQ(before, testing::ReadBytes(folder.file(u"registry.txt")));
    EXPECT_EQ("registry.txt", testing::ListFolder(folder.path()));  // no temporary file left
    HostRegistry registry(store, NativeFileSystem());
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick", u"RootUser", 260), u"C:\\data\\alice");
    EXPECT_EQ(registry.readString(u"Software\\Tarnwick", u"FilePath", 260), u"C:\\Program");
}

}  // namespace
}  // namespace tarnwick
