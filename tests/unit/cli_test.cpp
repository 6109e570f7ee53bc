// The companion CLI as a user runs it: output, exit codes, usage errors.
#include <gtest/gtest.h>

#include <string>

#include "support/catalogue_fixture.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

using Result = testing::CliResult;

Result run(const std::string& arguments) { return testing::RunCli(arguments); }

TEST(Cli, SealUnsealAndCheckText) {
    const Result sealed = run("seal 1 'Grüße'");
    ASSERT_EQ(0, sealed.exitCode);
    const std::string numbers = sealed.out.substr(0, sealed.out.size() - 1);
    EXPECT_EQ("Grüße\n", run("unseal 1 '" + numbers + "'").out);
    const Result user = run("seal 0 secret --password pa55word");
    EXPECT_EQ("secret\n", run("unseal 0 '" + user.out.substr(0, user.out.size() - 1) + "' --password pa55word").out);
    EXPECT_EQ("57 48 48 49 53 48 57 56 51 67 68 50 52 70 66 48 68 54 57 54 51 70 55 68 50 56 69 49 55 70 55 50\n",
              run("check-text abc").out);
}

TEST(Cli, UsageErrorsExitWithTwo) {
    EXPECT_EQ(2, run("").exitCode);
    EXPECT_EQ(2, run("frobnicate").exitCode);
    EXPECT_EQ(2, run("seal 3 x").exitCode);
    EXPECT_EQ(2, run("seal 0 x").exitCode);  // mode 0 needs the password
    EXPECT_EQ(2, run("unseal 1").exitCode);
    EXPECT_EQ(2, run("lines a b").exitCode);
}

TEST(Cli, LinesPrintsJson) {
    testing::TempFolder folder;
    testing::WriteBytes(folder.file(u"x.txt"), "a\"b\r\n\\c\r\n");
    EXPECT_EQ("[\"a\\\"b\",\"\\\\c\",\"\"]\n", run("lines " + WindowsPathToHost(folder.file(u"x.txt"))).out);
    EXPECT_EQ("[]\n", run("lines /nonexistent/file").out);
}

// Each program's table, byte for byte as the golden file holds it.
TEST(Cli, CataloguePrintsEachProgramsGoldenTable) {
    for (const char* program : {"identity", "passcard", "tray"}) {
        const Result result = run(std::string("catalogue ") + program);
        EXPECT_EQ(0, result.exitCode) << program;
        EXPECT_EQ(testing::CatalogueFixtureBytes(TARNWICK_FIXTURES, program), result.out) << program;
    }
    EXPECT_EQ(2, run("catalogue").exitCode);
    EXPECT_EQ(2, run("catalogue browser").exitCode);
    EXPECT_EQ(2, run("catalogue tray extra").exitCode);
}

}  // namespace
}  // namespace tarnwick
