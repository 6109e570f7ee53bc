// The Windows CLI end to end: protected cards made and shown by tarnwick.exe
// under the real file and code-page adapters, and decoded here line by line.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"

namespace tarnwick {
namespace {

using testing::CliResult;

CliResult runCli(const std::wstring& arguments) { return testing::RunWindowsCli(arguments); }

std::wstring quoted(const std::u16string& path) { return L"\"" + std::wstring(path.begin(), path.end()) + L"\""; }

class WindowsCardCli : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentPrimaryPassword("alice123"); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::vector<std::u16string> plainLines(const std::u16string& path, int keyMode) {
        std::vector<std::u16string> plain;
        for (const std::u16string& line : ReadTextLines(path)) plain.push_back(UnsealText(line, u"Blowfish", keyMode));
        return plain;
    }

    testing::TempFolder folder;
};

TEST_F(WindowsCardCli, ProtectedPasscardMadeAndShown) {
    const std::u16string card = folder.file(u"Bank.vrc");
    CliResult made = runCli(L"new-passcard " + quoted(card) +
                            L" --url https://bank.example --field user:text:Zoë --field pin:password:12:34"
                            L" --default --protected --password alice123");
    ASSERT_EQ("", made.error);
    ASSERT_EQ(0u, made.exitCode);

    const std::vector<std::u16string> plain = plainLines(card, KeyModeUser);
    ASSERT_EQ(11u, plain.size());
    EXPECT_EQ(u"https://bank.example", plain[1]);
    EXPECT_EQ(u"Zoë", plain[4]);
    EXPECT_EQ(u"12:34", plain[7]);
    EXPECT_EQ(u"PROTECT", plain[9]);
    EXPECT_EQ(u"DEFAULT", plainLines(card, KeyModeCommon)[8]);

    CliResult shown = runCli(L"show " + quoted(card) + L" --password alice123");
    ASSERT_EQ("", shown.error);
    EXPECT_EQ(0u, shown.exitCode);
    EXPECT_EQ(
        "{\"kind\":\"passcard\",\"status\":\"ok\",\"protected\":true,\"default\":true,"
        "\"matchKey\":\"https://bank.example\",\"url\":\"https://bank.example\",\"fields\":["
        "{\"name\":\"user\",\"type\":\"text\",\"value\":\"Zo\xC3\xAB\"},"
        "{\"name\":\"pin\",\"type\":\"password\",\"value\":\"12:34\"}]}\n",
        shown.out);
    CliResult locked = runCli(L"show " + quoted(card));
    EXPECT_EQ(1u, locked.exitCode);
    EXPECT_EQ("{\"kind\":\"passcard\",\"status\":\"needs_password\",\"protected\":true,\"default\":true}\n",
              locked.out);
}

TEST_F(WindowsCardCli, ProtectedIdentityCardMadeAndShown) {
    const std::u16string card = folder.file(u"Home.vrt");
    CliResult made = runCli(L"new-identity " + quoted(card) +
                            L" --set CITY=Genève --custom Pet=Rex --protected --password alice123");
    ASSERT_EQ("", made.error);
    ASSERT_EQ(0u, made.exitCode);
    const std::vector<std::u16string> plain = plainLines(card, KeyModeUser);
    ASSERT_EQ(65u, plain.size());
    EXPECT_EQ(u"[CITY]", plain[6]);
    EXPECT_EQ(u"Genève", plain[7]);
    EXPECT_EQ(u"|Home", plain[37]);
    EXPECT_EQ(u"PROTECT", plain[63]);

    CliResult shown = runCli(L"show " + quoted(card) + L" --password alice123");
    ASSERT_EQ("", shown.error);
    EXPECT_EQ(0u, shown.exitCode);
    EXPECT_NE(std::string::npos, shown.out.find("\"[CITY]\":\"Gen\xC3\xA8ve\"")) << shown.out;
    EXPECT_NE(std::string::npos, shown.out.find("\"[NAME]\":\"|Home\"")) << shown.out;
    EXPECT_NE(std::string::npos, shown.out.find("\"custom\":[{\"name\":\"Pet\",\"value\":\"Rex\"},")) << shown.out;
    CliResult foreign = runCli(L"show " + quoted(card) + L" --password bob45678");
    EXPECT_EQ(1u, foreign.exitCode);
    EXPECT_EQ("{\"kind\":\"identity\",\"status\":\"not_owner\",\"protected\":true}\n", foreign.out);
}

}  // namespace
}  // namespace tarnwick
