// new-user and option from the command line: the option file a new user gets,
// the registry values, and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "foundation/option_store.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "platform/host/host_file_system.h"
#include "platform/host/host_registry.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RunCli;

class UserCliTest : public ::testing::Test {
protected:
    std::string host(std::u16string_view name) { return WindowsPathToHost(folder.file(name)); }
    std::string registryEnv() { return "TARNWICK_REGISTRY_FILE=" + host(u"registry.txt"); }

    testing::TempFolder folder;
};

TEST_F(UserCliTest, NewUserWritesEveryOptionInOrderAndRegisters) {
    const testing::CliResult result =
        RunCli("new-user " + host(u"Data") +
                   " alice 'Secret#1' --option BOSSKEY=6,65 --option '[EXTRA]=x' --register"
                   " --program-folder /opt/tarnwick",
               registryEnv());
    ASSERT_EQ(result.exitCode, 0);
    const std::u16string userFolder = folder.file(u"Data\\alice");
    EXPECT_EQ(ReadTextLines(OptionFilePath(userFolder)), (std::vector<std::u16string>{u"[CHECKKEY]",
                                                                                      MakeCheckText(u"Secret#1"),
                                                                                      u"[KEY]",
                                                                                      u"0",
                                                                                      u"[IDENTITYPROTECT]",
                                                                                      u"1",
                                                                                      u"[IDENTITYEDITORONTOP]",
                                                                                      u"0",
                                                                                      u"[SHOWPASSWORD]",
                                                                                      u"1",
                                                                                      u"[PASSWORDEDITORONTOP]",
                                                                                      u"0",
                                                                                      u"[SHOWTYPE]",
                                                                                      u"0",
                                                                                      u"[BOSSKEYENABLE]",
                                                                                      u"1",
                                                                                      u"[BOSSKEY]",
                                                                                      u"6,65",
                                                                                      u"[STARTUPUPDATE]",
                                                                                      u"1",
                                                                                      u"[EXTRA]",
                                                                                      u"x"}));
    EXPECT_EQ(testing::ReadBytes(OptionFilePath(userFolder)).substr(0, 2), "\xFF\xFE");

    HostRegistry registry(folder.file(u"registry.txt"), NativeFileSystem());
    EXPECT_EQ(registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260), userFolder);
    EXPECT_EQ(registry.readString(registry::kTarnwickKey, registry::kFilePathValue, 260), u"Z:\\opt\\tarnwick");
}

// Passwords as stars from the start, unless the command line says otherwise.
TEST_F(UserCliTest, ANewUserSeesStarsUnlessAnOptionTurnsThemOff) {
    ASSERT_EQ(RunCli("new-user " + host(u"Data") + " bob 'Secret#1'", registryEnv()).exitCode, 0);
    EXPECT_EQ(ReadOptionLine(folder.file(u"Data\\bob"), option_key::kShowPassword).value, u"1");
    ASSERT_EQ(RunCli("new-user " + host(u"Data") + " carol 'Secret#1' --option SHOWPASSWORD=0", registryEnv()).exitCode,
              0);
    EXPECT_EQ(ReadOptionLine(folder.file(u"Data\\carol"), option_key::kShowPassword).value, u"0");
}

TEST_F(UserCliTest, RefusesABadPasswordAnExistingUserAndBadUsage) {
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " bob 'Short#7'", registryEnv()).exitCode, 1);
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " bob 'Longer#89'", registryEnv()).exitCode, 1);
    EXPECT_FALSE(testing::FileExists(folder.file(u"Data\\bob")));
    ASSERT_EQ(RunCli("new-user " + host(u"Data") + " bob 'Secret#1'", registryEnv()).exitCode, 0);
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " bob 'Secret#1'", registryEnv()).exitCode, 1);
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " 'a\\b' 'Secret#1'", registryEnv()).exitCode, 2);
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " carol 'Secret#1' --option NOVALUE", registryEnv()).exitCode, 2);
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " carol 'Secret#1' --program-folder x", registryEnv()).exitCode, 2);
    // Without --register the registry is left alone.
    EXPECT_FALSE(testing::FileExists(folder.file(u"registry.txt")));
}

// The user's folder is named by the same rule as the library's folders: names
// Windows would change or take for a device are refused, nothing is made.
TEST_F(UserCliTest, NewUserRefusesNamesWindowsWouldChange) {
    for (const std::string& name : std::vector<std::string>{"'.'", "'..'", "'bob.'", "'bob '", "CON", "nul.txt", "Com1",
                                                            "LPT9.x", "$'a\\tb'", std::string(256, 'n')}) {
        EXPECT_EQ(RunCli("new-user " + host(u"Data") + " " + name + " 'Secret#1'", registryEnv()).exitCode, 2) << name;
    }
    EXPECT_FALSE(testing::FileExists(folder.file(u"Data")));
    EXPECT_FALSE(testing::FileExists(folder.file(u"registry.txt")));
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " 'CONSOLE' 'Secret#1'", registryEnv()).exitCode, 0);
}

// The password's check text is made from its narrow form: a password the code
// page cannot hold would be stored as another one ("?").
TEST_F(UserCliTest, NewUserRefusesAPasswordTheCodePageCannotHold) {
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " fay 'Secret#\xE5\xAF\x86'", registryEnv()).exitCode, 1);
    EXPECT_FALSE(testing::FileExists(folder.file(u"Data\\fay")));
    EXPECT_EQ(RunCli("new-user " + host(u"Data") + " fay 'Secret#\xC3\xA9'", registryEnv()).exitCode, 0);
}

// "RootUser" and "FilePath" are read into buffers of 260 characters: a longer
// folder would come back cut, so it is not registered, and nothing is made.
TEST_F(UserCliTest, NewUserRefusesToRegisterAFolderTheRegistryWouldCut) {
    const std::u16string dataRoot = folder.file(u"Data");
    const std::size_t fill = 260 - dataRoot.size() - 1;
    const std::string name(fill, 'u');  // "<Data>\uuu…": exactly 260 characters
    ASSERT_EQ(260u, (dataRoot + u"\\").size() + name.size());
    testing::CliResult result = RunCli(
        "new-user " + host(u"Data") + " " + name + " 'Secret#1' --register --program-folder /opt/t", registryEnv());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(testing::FileExists(dataRoot + u"\\" + std::u16string(name.begin(), name.end())));
    EXPECT_FALSE(testing::FileExists(folder.file(u"registry.txt")));
    // The program folder too.
    result =
        RunCli("new-user " + host(u"Data") + " eve 'Secret#1' --register --program-folder /" + std::string(259, 'p'),
               registryEnv());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(testing::FileExists(folder.file(u"Data\\eve")));
    EXPECT_FALSE(testing::FileExists(folder.file(u"registry.txt")));
    // One character less is registered whole.
    result =
        RunCli("new-user " + host(u"Data") + " " + name.substr(1) + " 'Secret#1' --register --program-folder /opt/t",
               registryEnv());
    ASSERT_EQ(result.exitCode, 0);
    HostRegistry registry(folder.file(u"registry.txt"), NativeFileSystem());
    EXPECT_EQ(259u, registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260).value_or(u"").size());
}

TEST_F(UserCliTest, OptionGetAndSet) {
    ASSERT_EQ(RunCli("new-user " + host(u"Data") + " dan 'Secret#1'", registryEnv()).exitCode, 0);
    const std::string user = host(u"Data") + "/dan";
    EXPECT_EQ(RunCli("option get " + user + " SHOWTYPE").out, "0\n");
    EXPECT_EQ(RunCli("option set " + user + " '[SHOWTYPE]' 1").exitCode, 0);
    EXPECT_EQ(RunCli("option get " + user + " '[SHOWTYPE]'").out, "1\n");
    EXPECT_EQ(RunCli("option get " + user + " ABSENT").out, "\n");
    EXPECT_EQ(RunCli("option frob " + user + " X").exitCode, 2);
}

TEST_F(UserCliTest, LockForgetsTheCurrentUsersRememberedPassword) {
    EXPECT_EQ(RunCli("lock", registryEnv()).exitCode, 1) << "no current user yet";
    ASSERT_EQ(RunCli("new-user " + host(u"Data") + " alice 'Secret#1' --register", registryEnv()).exitCode, 0);
    const std::u16string userFolder = folder.file(u"Data\\alice");
    WriteOptionLine(userFolder, option_key::kKey, SealText(u"Secret#1", kAlgorithmBlowfish, KeyModeOption));
    const testing::CliResult result = RunCli("lock", registryEnv());
    ASSERT_EQ(result.exitCode, 0) << result.out;
    EXPECT_NE(result.out.find("\"tray\":false"), std::string::npos) << result.out;
    EXPECT_EQ(ReadOptionLine(userFolder, option_key::kKey).value, u"0");
    EXPECT_EQ(RunCli("lock extra", registryEnv()).exitCode, 2);
}

}  // namespace
}  // namespace tarnwick
