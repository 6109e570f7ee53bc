// The CLI's card commands as a user runs them: the cards they write, decoded
// here line by line from the bytes, and cards built here byte by byte that
// `show` must read with every field; statuses, exit codes and usage errors.
#include <gtest/gtest.h>

#include <string>

#include "foundation/primary_password.h"
#include "platform/host/host_file_system.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"
#include "unit/cards/card_bytes.h"

namespace tarnwick {
namespace {

using test::CheckOf;
using test::FileLines;
using test::Seal;
using test::Unseal;
using testing::TempFolder;
using Lines = std::vector<std::u16string>;

using Result = testing::CliResult;

Result run(const std::string& arguments) { return testing::RunCli(arguments); }

class CardCli : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentPrimaryPassword("alice123"); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }
    std::string host(std::u16string_view name) const { return WindowsPathToHost(folder.file(name)); }

    TempFolder folder;
};

TEST_F(CardCli, PasscardsDecodeLineByLine) {
    ASSERT_EQ(0, run("new-passcard " + host(u"Shop.vrc") +
                     " --url https://shop.example/login --field user:text:ann --field 'pw:password:a:b c'"
                     " --default")
                     .exitCode);
    Lines lines = FileLines(folder.file(u"Shop.vrc"));
    const Lines texts = {u"https://shop.example/login",
                         u"https://shop.example/login",
                         u"user",
                         u"text",
                         u"ann",
                         u"pw",
                         u"password",
                         u"a:b c",
                         u"DEFAULT",
                         u"UNPROTECT"};
    ASSERT_EQ(11u, lines.size());
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], Unseal(lines[i], KeyModeCommon));
    EXPECT_EQ(CheckOf(Lines(lines.begin(), lines.end() - 1)), lines.back());

    ASSERT_EQ(0, run("new-passcard " + host(u"Bank.vrc") +
                     " --url https://bank.example --match-key bank --protected --password alice123")
                     .exitCode);
    lines = FileLines(folder.file(u"Bank.vrc"));
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ(u"bank", Unseal(lines[0], KeyModeCommon));
    EXPECT_EQ(u"https://bank.example", Unseal(lines[1], KeyModeUser));
    EXPECT_EQ(u"UNDEFAULT", Unseal(lines[2], KeyModeCommon));
    EXPECT_EQ(u"PROTECT", Unseal(lines[3], KeyModeUser));
    EXPECT_EQ(CheckOf(Lines(lines.begin(), lines.end() - 1)), lines.back());
}

TEST_F(CardCli, IdentityCardsDecodeLineByLine) {
    ASSERT_EQ(0, run("new-identity " + host(u"Ann.vrt") +
                     " --set EMAIL=ann@example.com --set '[NAME]=Smith|Ann' --custom Pet=Rex"
                     " --protected --password alice123")
                     .exitCode);
    const Lines lines = FileLines(folder.file(u"Ann.vrt"));
    ASSERT_EQ(65u, lines.size());
    Lines plain;
    for (const std::u16string& line : lines) plain.push_back(Unseal(line, KeyModeUser));
    EXPECT_EQ(u"[ADDRESS]", plain[0]);
    EXPECT_EQ(u"[EMAIL]", plain[14]);
    EXPECT_EQ(u"ann@example.com", plain[15]);
    EXPECT_EQ(u"[NAME]", plain[36]);
    EXPECT_EQ(u"Smith|Ann", plain[37]);
    EXPECT_EQ(u"[CUSTOM]", plain[56]);
    EXPECT_EQ((Lines{u"Pet", u"Rex", u"", u"", u"", u""}), Lines(plain.begin() + 57, plain.begin() + 63));
    EXPECT_EQ(u"PROTECT", plain[63]);
    EXPECT_EQ(CheckOf(Lines(lines.begin(), lines.end() - 1)), lines.back());

    ASSERT_EQ(0, run("new-identity " + host(u"Bob.vrt")).exitCode);
    EXPECT_EQ(u"|Bob", Unseal(FileLines(folder.file(u"Bob.vrt"))[37], KeyModeCommon));
}

// A passcard as another writer of the format would build it.
Lines handMadePasscard(bool isProtected, bool isDefault) {
    const int p = isProtected ? KeyModeUser : KeyModeCommon;
    Lines lines = {Seal(u"mail", KeyModeCommon),
                   Seal(u"https://mail.example/?a=1&b=\"2\"", p),
                   Seal(u"login", p),
                   Seal(u"text", p),
                   Seal(u"Zoë", p),
                   Seal(u"secret", p),
                   Seal(u"password", p),
                   Seal(u"p\\w", p),
                   Seal(u"pin", p),
                   Seal(u"number", p),
                   Seal(u"", p),
                   Seal(isDefault ? u"DEFAULT" : u"UNDEFAULT", KeyModeCommon),
                   isProtected ? Seal(u"PROTECT", KeyModeUser) : Seal(u"UNPROTECT", KeyModeCommon)};
    lines.push_back(CheckOf(lines));
    return lines;
}

TEST_F(CardCli, ShowsEveryFieldOfHandMadePasscards) {
    for (bool isProtected : {false, true}) {
        for (bool isDefault : {false, true}) {
            test::WriteFileLines(folder.file(u"Mail.vrc"), handMadePasscard(isProtected, isDefault));
            const Result shown = run("show " + host(u"Mail.vrc") + " --password alice123");
            EXPECT_EQ(0, shown.exitCode);
            EXPECT_EQ(std::string("{\"kind\":\"passcard\",\"status\":\"ok\",\"protected\":") +
                          (isProtected ? "true" : "false") + ",\"default\":" + (isDefault ? "true" : "false") +
                          ",\"matchKey\":\"mail\",\"url\":\"https://mail.example/?a=1&b=\\\"2\\\"\",\"fields\":["
                          "{\"name\":\"login\",\"type\":\"text\",\"value\":\"Zoë\"},"
                          "{\"name\":\"secret\",\"type\":\"password\",\"value\":\"p\\\\w\"},"
                          "{\"name\":\"pin\",\"type\":\"number\",\"value\":\"\"}]}\n",
                      shown.out);
        }
    }
}

TEST_F(CardCli, ShowsEveryFieldOfHandMadeIdentityCards) {
    for (bool isProtected : {false, true}) {
        const int p = isProtected ? KeyModeUser : KeyModeCommon;
        Lines lines = {Seal(u"[CITY]", p),   Seal(u"Genève", p),
                       Seal(u"[NAME]", p),   Seal(u"Doe|Jo", p),
                       Seal(u"[CUSTOM]", p), Seal(u"Pet", p),
                       Seal(u"Rex", p),      Seal(u"", p),
                       Seal(u"x", p),        Seal(isProtected ? u"PROTECT" : u"UNPROTECT", p)};
        lines.push_back(CheckOf(lines));
        test::WriteFileLines(folder.file(u"Jo.vrt"), lines);
        const Result shown = run("show " + host(u"Jo.vrt") + " --password alice123");
        EXPECT_EQ(0, shown.exitCode);
        EXPECT_EQ(std::string("{\"kind\":\"identity\",\"status\":\"ok\",\"protected\":") +
                      (isProtected ? "true" : "false") +
                      ",\"fields\":{\"[CITY]\":\"Genève\",\"[NAME]\":\"Doe|Jo\"},"
                      "\"custom\":[{\"name\":\"Pet\",\"value\":\"Rex\"},{\"name\":\"\",\"value\":\"x\"}]}\n",
                  shown.out);
    }
}

TEST_F(CardCli, StatusesOfCardsThatDoNotOpen) {
    test::WriteFileLines(folder.file(u"Mail.vrc"), handMadePasscard(true, true));
    EXPECT_EQ("{\"kind\":\"passcard\",\"status\":\"needs_password\",\"protected\":true,\"default\":true}\n",
              run("show " + host(u"Mail.vrc")).out);
    const Result foreign = run("show " + host(u"Mail.vrc") + " --password bob45678");
    EXPECT_EQ(1, foreign.exitCode);
    EXPECT_EQ("{\"kind\":\"passcard\",\"status\":\"not_owner\",\"protected\":true,\"default\":true}\n", foreign.out);
    ASSERT_EQ(0, run("new-identity " + host(u"Ann.vrt") + " --protected --password alice123").exitCode);
    EXPECT_EQ("{\"kind\":\"identity\",\"status\":\"needs_password\",\"protected\":true}\n",
              run("show " + host(u"Ann.vrt")).out);
    EXPECT_EQ("{\"kind\":\"identity\",\"status\":\"not_owner\",\"protected\":true}\n",
              run("show " + host(u"Ann.vrt") + " --password bob45678").out);
    testing::WriteBytes(folder.file(u"Bad.vrc"), "junk");
    const Result damaged = run("show " + host(u"Bad.vrc"));
    EXPECT_EQ(1, damaged.exitCode);
    EXPECT_EQ("{\"kind\":\"passcard\",\"status\":\"damaged\"}\n", damaged.out);
    // A card that is not there is unreadable, not damaged.
    EXPECT_EQ("{\"kind\":\"identity\",\"status\":\"unreadable\"}\n", run("show " + host(u"None.vrt")).out);
}

TEST_F(CardCli, SetDefaultAndProtect) {
    ASSERT_EQ(0, run("new-passcard " + host(u"Shop.vrc") + " --url u --field a:text:b").exitCode);
    EXPECT_EQ(0, run("set-default " + host(u"Shop.vrc") + " on").exitCode);
    EXPECT_EQ(0, run("protect " + host(u"Shop.vrc") + " on --password alice123").exitCode);
    EXPECT_EQ(u"DEFAULT", Unseal(FileLines(folder.file(u"Shop.vrc"))[5], KeyModeCommon));
    EXPECT_EQ(1, run("protect " + host(u"Shop.vrc") + " off --password bob45678").exitCode);
    EXPECT_EQ(u"PROTECT", Unseal(FileLines(folder.file(u"Shop.vrc"))[6], KeyModeUser));
    EXPECT_EQ(0, run("protect " + host(u"Shop.vrc") + " off --password alice123").exitCode);
    EXPECT_EQ(0, run("set-default " + host(u"Shop.vrc") + " off").exitCode);
    EXPECT_EQ(
        "{\"kind\":\"passcard\",\"status\":\"ok\",\"protected\":false,\"default\":false,\"matchKey\":\"u\","
        "\"url\":\"u\",\"fields\":[{\"name\":\"a\",\"type\":\"text\",\"value\":\"b\"}]}\n",
        run("show " + host(u"Shop.vrc")).out);

    ASSERT_EQ(0, run("new-identity " + host(u"Ann.vrt") + " --set CITY=Bern").exitCode);
    EXPECT_EQ(0, run("protect " + host(u"Ann.vrt") + " on --password alice123").exitCode);
    EXPECT_EQ(u"Bern", Unseal(FileLines(folder.file(u"Ann.vrt"))[7], KeyModeUser));
    EXPECT_EQ(1, run("protect " + host(u"Ann.vrt") + " off --password bob45678").exitCode);
    EXPECT_EQ(0, run("protect " + host(u"Ann.vrt") + " off --password alice123").exitCode);
    EXPECT_EQ(u"Bern", Unseal(FileLines(folder.file(u"Ann.vrt"))[7], KeyModeCommon));
}

TEST_F(CardCli, CheckNamesTheDamagedCards) {
    testing::CreateFolder(folder.file(u"Shop"));
    ASSERT_EQ(0, run("new-passcard " + host(u"Shop\\Good.vrc") + " --url u").exitCode);
    ASSERT_EQ(0, run("new-identity " + host(u"Me.vrt")).exitCode);
    const Result clean = run("check " + WindowsPathToHost(folder.path()));
    EXPECT_EQ(0, clean.exitCode);
    EXPECT_EQ("", clean.out);
    EXPECT_EQ(1, run("check " + host(u"missing")).exitCode);

    testing::WriteBytes(folder.file(u"Shop\\Bad.vrc"), "\xFF\xFE");
    testing::WriteBytes(folder.file(u"Shop\\notes.txt"), "not a card");
    Lines me = FileLines(folder.file(u"Me.vrt"));
    me.pop_back();
    test::WriteFileLines(folder.file(u"Me.vrt"), me);
    const Result checked = run("check " + WindowsPathToHost(folder.path()));
    EXPECT_EQ(1, checked.exitCode);
    EXPECT_EQ("Me.vrt\nShop/Bad.vrc\n", checked.out);
}

// Text sealing cannot keep is refused by every command that writes a card.
TEST_F(CardCli, CommandsRefuseTextSealingCannotKeep) {
    EXPECT_EQ(1, run("new-passcard " + host(u"Shop.vrc") + " --url u --field 'pw:password:\xE5\xAF\x86'").exitCode);
    EXPECT_EQ(1, run("new-passcard " + host(u"Shop.vrc") + " --url 'https://\xF0\x9F\x98\x80'").exitCode);
    EXPECT_EQ(1, run("new-identity " + host(u"Home.vrt") + " --set 'ADDRESS=\xE5\xAF\x86\xE7\xA0\x81'").exitCode);
    EXPECT_EQ(1, run("new-identity " + host(u"Home.vrt") + " --custom 'Pet=\xF0\x9F\x98\x80'").exitCode);
    EXPECT_FALSE(testing::FileExists(folder.file(u"Shop.vrc")));
    EXPECT_FALSE(testing::FileExists(folder.file(u"Home.vrt")));
    EXPECT_EQ(0, run("new-identity " + host(u"Home.vrt") + " --set 'ADDRESS=Z\xC3\xBCrich'").exitCode);
}

TEST_F(CardCli, UsageErrorsAndRefusals) {
    const std::string shop = host(u"Shop.vrc");
    EXPECT_EQ(2, run("new-passcard " + shop).exitCode);                            // no --url
    EXPECT_EQ(2, run("new-passcard " + host(u"Shop.txt") + " --url u").exitCode);  // extension
    EXPECT_EQ(2, run("new-passcard " + shop + " --url u --protected").exitCode);   // no password
    EXPECT_EQ(2, run("new-passcard " + shop + " --url u --protected --password short").exitCode);
    EXPECT_EQ(2, run("new-passcard " + shop + " --url u --field a:radio:b").exitCode);
    EXPECT_EQ(2, run("new-identity " + host(u"A.vrt") + " --set HAIR=red").exitCode);
    EXPECT_EQ(2, run("set-default " + host(u"A.vrt") + " on").exitCode);
    EXPECT_EQ(2, run("protect " + shop + " on").exitCode);
    EXPECT_EQ(2, run("show " + host(u"A.doc")).exitCode);
    EXPECT_FALSE(testing::FileExists(folder.file(u"Shop.vrc")));

    // A new card never replaces a file; a damaged card is not rewritten.
    testing::WriteBytes(folder.file(u"Shop.vrc"), "keep");
    EXPECT_EQ(1, run("new-passcard " + shop + " --url u").exitCode);
    EXPECT_EQ(1, run("set-default " + shop + " on").exitCode);
    EXPECT_EQ(1, run("protect " + shop + " on --password alice123").exitCode);
    EXPECT_EQ("keep", testing::ReadBytes(folder.file(u"Shop.vrc")));
}

}  // namespace
}  // namespace tarnwick
