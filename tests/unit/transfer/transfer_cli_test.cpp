// export and import as a user runs them: the password file, a wrong password,
// the protected cards left out without one, the report and its exit codes.
#include <gtest/gtest.h>

#include "platform/host/host_file_system.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RunCli;

class TransferCli : public ::testing::Test {
protected:
    std::string host(std::u16string_view name) const { return "'" + WindowsPathToHost(folder.file(name)) + "'"; }
    // stdin is never the terminal here: no password is asked for.
    testing::CliResult run(const std::string& arguments) { return RunCli(arguments + " </dev/null"); }

    testing::TempFolder folder;
};

TEST_F(TransferCli, ExportThenImportWithAndWithoutThePassword) {
    for (const char* user : {"ann", "bob"})
        ASSERT_EQ(0, run("new-user '" + WindowsPathToHost(folder.path()) + "' " + user + " alice123").exitCode);
    testing::WriteBytes(folder.file(u"pw"), "alice123\r\nignored");
    testing::WriteBytes(folder.file(u"wrong"), "bob12345\n");
    ASSERT_EQ(0,
              run("new-passcard " + host(u"ann/Shop.vrc") + " --url https://shop.example --field u:text:ann").exitCode);
    ASSERT_EQ(
        0, run("new-passcard " + host(u"ann/Bank.vrc") + " --url https://bank.example --protected --password alice123")
               .exitCode);

    testing::CliResult result = run("export " + host(u"ann") + " " + host(u"part.json"));
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.out.find("left out: Bank (protected, and no primary password was given)"));
    EXPECT_EQ(2,
              run("export " + host(u"ann") + " " + host(u"all.json") + " --password-file " + host(u"wrong")).exitCode);
    EXPECT_FALSE(testing::FileExists(folder.file(u"all.json")));

    ASSERT_EQ(0, run("export " + host(u"ann") + " " + host(u"all.json") + " --password-file " + host(u"pw")).exitCode);
    EXPECT_EQ("{\"format\":\"tarnwick-export\"", testing::ReadBytes(folder.file(u"all.json")).substr(0, 27));

    // Without the password the protected card is skipped and said so; with it, it comes too.
    result = run("import " + host(u"bob") + " " + host(u"all.json"));
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.out.find("made 1, renamed 0, already there 0, skipped 1\n"));
    EXPECT_NE(std::string::npos, result.out.find("skipped: Bank: protected: it needs the primary password"));
    result = run("import " + host(u"bob") + " " + host(u"all.json") + " --password-file " + host(u"pw"));
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("made 1, renamed 0, already there 1, skipped 0\nalready there: Shop\n", result.out);
    EXPECT_EQ(testing::ReadBytes(folder.file(u"ann\\Bank.vrc")), testing::ReadBytes(folder.file(u"bob\\Bank.vrc")));
    EXPECT_EQ("Bank.vrc Shop.vrc option.vro", testing::ListFolder(folder.file(u"bob")));

    testing::WriteBytes(folder.file(u"odd.txt"), "a,b\n1,2\n");
    EXPECT_EQ(1, run("import " + host(u"bob") + " " + host(u"odd.txt")).exitCode);
    EXPECT_EQ(2, run("import " + host(u"bob") + " " + host(u"odd.txt") + " --format csv").exitCode);
    EXPECT_EQ(2, run("import " + host(u"pw") + " " + host(u"all.json")).exitCode);  // no user folder
}

}  // namespace
}  // namespace tarnwick
