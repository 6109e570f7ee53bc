// tarnwick find as a user runs it: what it prints, what it keeps to itself,
// and its exit codes.
#include <gtest/gtest.h>

#include "cards/passcard_record.h"
#include "foundation/primary_password.h"
#include "platform/host/host_file_system.h"
#include "support/cli_runner.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

void writeCard(const std::u16string& path, bool isProtected) {
    test::TestPasswordGate gate("pa55word");
    test::ScriptedPrompts prompts;
    PasscardRecord record(gate, prompts);
    record.matchKey = u"mail.example";
    record.url = u"https://mail.example/";
    record.fieldNames = {u"user", u"password"};
    record.fieldTypes = {u"text", u"password"};
    record.fieldValues = {u"ann", u"Swordfish"};
    record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
    ASSERT_EQ(CardWriteResult::Written, record.createCard(path));
    ClearCurrentPrimaryPassword();
}

TEST(FindCli, PrintsPlacesNeverSecretsAndOpensProtectedWithThePasswordFile) {
    testing::TempFolder folder;
    ASSERT_EQ(0, testing::RunCli("new-user '" + WindowsPathToHost(folder.path()) + "' User pa55word").exitCode);
    testing::CreateFolder(folder.file(u"User\\Mail"));
    writeCard(folder.file(u"User\\Mail\\Webmail.vrc"), false);
    writeCard(folder.file(u"User\\Vault.vrc"), true);
    testing::WriteBytes(folder.file(u"pw.txt"), "pa55word\r\n");
    testing::WriteBytes(folder.file(u"wrong.txt"), "wrong-pw\n");
    const std::string user = "'" + WindowsPathToHost(folder.file(u"User")) + "'";
    const std::string passwordFile = " --password-file '" + WindowsPathToHost(folder.file(u"pw.txt")) + "'";

    const testing::CliResult plain = testing::RunCli("find " + user + " MAIL");
    EXPECT_EQ(0, plain.exitCode);
    EXPECT_EQ("Mail/Webmail.vrc: name, folder, url\n", plain.out);

    EXPECT_EQ(1, testing::RunCli("find " + user + " swordfish").exitCode);
    // Secrets only for whoever shows the user's password.
    EXPECT_EQ(2, testing::RunCli("find " + user + " swordfish --secrets").exitCode);
    EXPECT_EQ(2, testing::RunCli("find " + user + " swordfish --secrets --password-file '" +
                                 WindowsPathToHost(folder.file(u"wrong.txt")) + "'")
                     .exitCode);
    const testing::CliResult secret = testing::RunCli("find " + user + " swordfish --secrets" + passwordFile);
    EXPECT_EQ(0, secret.exitCode);
    EXPECT_EQ("Mail/Webmail.vrc: secret value of field: password\nVault.vrc: secret value of field: password\n",
              secret.out);
    EXPECT_EQ(std::string::npos, secret.out.find("Swordfish"));
    EXPECT_EQ("Vault.vrc: name\n", testing::RunCli("find " + user + " vault" + passwordFile).out);
    EXPECT_EQ(1, testing::RunCli("find " + user + " vault").exitCode);

    EXPECT_EQ(2, testing::RunCli("find " + user).exitCode);
    EXPECT_EQ(2, testing::RunCli("find " + user + " ''").exitCode);
    EXPECT_EQ(2, testing::RunCli("find /nonexistent/folder x").exitCode);
    testing::WriteBytes(folder.file(u"short.txt"), "short\n");
    EXPECT_EQ(
        2, testing::RunCli("find " + user + " x --password-file '" + WindowsPathToHost(folder.file(u"short.txt")) + "'")
               .exitCode);
}

}  // namespace
}  // namespace tarnwick
