// "tarnwick lists" prints what the tray program publishes for a user folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/host/host_file_system.h"
#include "support/card_files.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

std::string runCli(const std::string& arguments, int& exitCode) {
    const std::string command = std::string(TARNWICK_CLI) + " " + arguments + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = ::pclose(pipe);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

TEST(ListsCommand, PrintsTheThreeListsAsJson) {
    testing::TempFolder folder;
    const std::u16string user = folder.file(u"Alice");
    testing::MakeUserFolder(user);
    testing::CreateFolder(user + u"\\Shop");
    testing::WritePasscard(user + u"\\Shop\\Store.vrc", u"https://store.example/\"q\"");
    testing::WriteIdentityCard(user + u"\\b.vrt");
    testing::WriteIdentityCard(user + u"\\A.vrt");
    int exitCode = -1;
    EXPECT_EQ(runCli("lists " + WindowsPathToHost(user), exitCode),
              "{\"passcards\":[\"\\\\Shop\\\\Store\"],\"identities\":[\"\\\\A\",\"\\\\b\"],"
              "\"matchKeys\":[\"https://store.example/\\\"q\\\"\"]}\n");
    EXPECT_EQ(exitCode, 0);
    runCli("lists", exitCode);
    EXPECT_EQ(exitCode, 2);
    EXPECT_EQ(runCli("lists /nonexistent/user", exitCode), "{\"passcards\":[],\"identities\":[],\"matchKeys\":[]}\n");
}

}  // namespace
}  // namespace tarnwick
