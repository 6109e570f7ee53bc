#include "health/password_health.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cards/passcard_record.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/option_store.h"
#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/sha1.h"
#include "platform/host/host_file_system.h"
#include "support/cli_runner.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using test::ScriptedPrompts;
using test::TestPasswordGate;
using testing::TempFolder;
using Lines = std::vector<std::u16string>;

constexpr char16_t kStrong[] = u"hV9#tq2LmZ!x8r";
constexpr char16_t kStrongToo[] = u"c4Rt-Wq8pLz0Yu";

class PasswordHealthTest : public ::testing::Test {
protected:
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    void card(std::u16string_view name, Lines names, Lines types, Lines values, bool isProtected = false) {
        PasscardRecord record(gate, prompts, NativeFileSystem(), PasscardMessages());
        record.matchKey = u"example";
        record.url = u"https://example/";
        record.fieldNames = std::move(names);
        record.fieldTypes = std::move(types);
        record.fieldValues = std::move(values);
        record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        ASSERT_EQ(CardWriteResult::Written, record.createCard(folder.file(std::u16string(name) + u".vrc")));
    }
    void login(std::u16string_view name, std::u16string_view password, bool isProtected = false) {
        card(name, {u"user", u"Password"}, {u"text", u"password"}, {u"ann", std::u16string(password)}, isProtected);
    }
    // A library: the same password on cards in two folders, a weak one, a
    // protected card and a card whose password field is empty.
    void library() {
        testing::CreateFolder(folder.file(u"Shop"));
        testing::CreateFolder(folder.file(u"Mail"));
        login(u"Shop\\Store", kStrong);
        login(u"Mail\\Home", kStrong);
        login(u"Bank", kStrongToo);
        login(u"Forum", u"poiuytre");
        login(u"Vault", u"Dragon2000", true);
        card(u"Blank", {u"Password"}, {u"password"}, {u""});
        ClearCurrentPrimaryPassword();
    }
    HealthReport check(bool openProtected, BreachList* breaches = nullptr) {
        return PasswordHealth(NativeFileSystem(), gate, openProtected, PasscardMessages())
            .check(folder.path(), breaches);
    }
    static std::vector<std::u16string> described(const HealthReport& report) {
        std::vector<std::u16string> lines;
        for (const HealthFinding& finding : report.findings) {
            lines.push_back(finding.card + u" | " + finding.field + u" | " + DescribeFinding(finding));
        }
        return lines;
    }

    TempFolder folder;
    TestPasswordGate gate{"alice123"};
    ScriptedPrompts prompts;
};

TEST_F(PasswordHealthTest, ReusedAcrossFoldersWeakAndSkipped) {
    library();
    // One password in two fields of one card is no reuse.
    card(u"Twice", {u"old", u"new"}, {u"password", u"password"}, {u"Zr5%Kd0wQy7&", u"Zr5%Kd0wQy7&"});
    const int asked = gate.asks();
    const HealthReport report = check(false);
    EXPECT_EQ(6u, report.passwords);
    EXPECT_EQ(6u, report.cards);
    const std::vector<std::u16string> expected = {
        u"Mail\\Home | Password | reused: group 1, 2 cards",
        u"Shop\\Store | Password | reused: group 1, 2 cards",
        u"Forum | Password | weak: a keyboard pattern",
        u"Vault |  | skipped: protected, no primary password given",
    };
    EXPECT_EQ(expected, described(report));
    EXPECT_FALSE(report.clean());
    EXPECT_EQ(asked, gate.asks());
}

TEST_F(PasswordHealthTest, ProtectedCardsTakePartWithThePrimaryPassword) {
    library();
    login(u"Mail\\Backup", u"Dragon2000", true);
    const HealthReport report = check(true);
    EXPECT_EQ(7u, report.cards);
    const std::vector<std::u16string> expected = {
        // Mail is listed before the cards beside it, and Backup before Home.
        u"Mail\\Backup | Password | reused: group 1, 2 cards", u"Vault | Password | reused: group 1, 2 cards",
        u"Mail\\Home | Password | reused: group 2, 2 cards",   u"Shop\\Store | Password | reused: group 2, 2 cards",
        u"Mail\\Backup | Password | weak: a common password",  u"Forum | Password | weak: a keyboard pattern",
        u"Vault | Password | weak: a common password",
    };
    EXPECT_EQ(expected, described(report));

    gate.refuse();
    const HealthReport refused = check(true);
    ASSERT_FALSE(refused.findings.empty());
    EXPECT_EQ(SkipReason::NotOpened, refused.findings.back().reason);
}

TEST_F(PasswordHealthTest, BreachedPasswordsNamedOnceForEachCard) {
    library();
    const std::string strong = "hV9#tq2LmZ!x8r";
    std::vector<std::string> lines = {Sha1Hex(Sha1(strong.data(), strong.size())) + ":42", std::string(40, '0') + ":1",
                                      std::string(40, 'F') + ":1"};
    std::sort(lines.begin(), lines.end());
    TempFolder lists;
    testing::WriteBytes(lists.file(u"b.txt"), lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n");
    std::string error;
    std::unique_ptr<ByteSource> source = OpenByteFile(lists.file(u"b.txt"), error);
    ASSERT_TRUE(source);
    BreachList breaches(*source);
    const std::vector<std::u16string> found = described(check(false, &breaches));
    ASSERT_LE(2u, found.size());
    EXPECT_EQ(u"Mail\\Home | Password | breached: seen 42 times", found[0]);
    EXPECT_EQ(u"Shop\\Store | Password | breached: seen 42 times", found[1]);

    // A faulty list stops the lookups and says so.
    testing::WriteBytes(lists.file(u"bad.txt"), "not a list\n");
    source = OpenByteFile(lists.file(u"bad.txt"), error);
    BreachList bad(*source);
    EXPECT_NE("", check(false, &bad).breachFault);
}

TEST_F(PasswordHealthTest, CommandPrintsNoPasswordAndExitsByFindings) {
    const std::string user = WindowsPathToHost(folder.path());
    login(u"Bank", kStrongToo);
    testing::CliResult result = testing::RunCli("health " + user);
    EXPECT_EQ(0, result.exitCode);
    EXPECT_EQ("1 passcards, 1 passwords: no findings\n", result.out);

    library();
    // The password file must hold this user's password.
    OptionStore(folder.path(), nullptr).WriteOption(option_key::kCheckKey, MakeCheckText(u"alice123"));
    testing::WriteBytes(folder.file(u"pw.txt"),
                        "\xEF\xBB\xBF"
                        "alice123\r\nignored\r\n");
    result = testing::RunCli("health " + user + " --json --password-file " + user + "/pw.txt");
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos,
              result.out.find(R"({"card":"Vault","kind":"weak","field":"Password","pattern":"a common password"})"))
        << result.out;
    for (const char* secret : {"poiuytre", "hV9#", "Dragon2000"}) EXPECT_EQ(std::string::npos, result.out.find(secret));

    EXPECT_EQ(2, testing::RunCli("health").exitCode);
    EXPECT_EQ(2, testing::RunCli("health " + user + " --password-file " + user + "/Bank.vrc").exitCode);
    EXPECT_EQ(1, testing::RunCli("health " + user + " --breached " + user + "/none.txt").exitCode);
}

}  // namespace
}  // namespace tarnwick
