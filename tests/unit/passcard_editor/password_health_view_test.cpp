#include "passcard_editor/password_health_view.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/primary_password.h"
#include "foundation/sha1.h"
#include "support/cli_runner.h"
#include "support/card_files.h"
#include "support/temp_folder.h"
#include "platform/host/host_file_system.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

class PasswordHealthViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        user = folder.file(u"Alice");
        testing::MakeUserFolder(user);
        testing::CreateFolder(user + u"\\Shop");
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }
    void passcard(const std::string& name, const std::string& password, const std::string& more = "") {
        const std::string file = WindowsPathToHost(user) + "/" + name + ".vrc";
        ASSERT_EQ(0, testing::RunCli("new-passcard " + file + " --url https://x/ --field 'pw:password:" + password +
                                     "'" + more)
                         .exitCode);
    }

    TempFolder folder;
    std::u16string user;
};

TEST_F(PasswordHealthViewTest, RowsNameTheCardsTreePathAndTheSummaryCountsThem) {
    passcard("Shop/Store", "qwerty");
    passcard("Vault", "Tq8#zLm2Vx9!pR", " --protected --password alice123");
    OptionStore options(user, nullptr);
    PasswordHealthView view(options);
    view.refresh();
    ASSERT_EQ(2u, view.rows().size());
    EXPECT_EQ(u"Shop\\Store", view.rows()[0].card);
    EXPECT_EQ(u"pw", view.rows()[0].field);
    EXPECT_EQ(user + u"\\Shop\\Store", view.cardPathOf(0));
    EXPECT_EQ(u"skipped: protected, no primary password given", view.rows()[1].finding);
    EXPECT_EQ(std::nullopt, view.cardPathOf(2));
    EXPECT_EQ(u"1 passcards, 1 passwords: 2 findings; no breach file chosen", view.summary());

    // Once the editor holds the password the protected card takes part.
    SetCurrentPrimaryPassword("alice123");
    view.refresh();
    EXPECT_EQ(u"2 passcards, 2 passwords: 1 findings; no breach file chosen", view.summary());
}

TEST_F(PasswordHealthViewTest, TheBreachFileIsRememberedAndAFaultyOneIsSaid) {
    passcard("Shop/Store", "Tq8#zLm2Vx9!pR");
    const std::string strong = "Tq8#zLm2Vx9!pR";
    const std::u16string list = folder.file(u"list.txt");
    testing::WriteBytes(list, Sha1Hex(Sha1(strong.data(), strong.size())) + ":5\n");
    OptionStore options(user, nullptr);
    {
        PasswordHealthView view(options);
        EXPECT_TRUE(view.chooseBreachFile(list));
        ASSERT_EQ(1u, view.rows().size());
        EXPECT_EQ(u"breached: seen 5 times", view.rows()[0].finding);
    }
    PasswordHealthView again(options);
    EXPECT_EQ(list, again.breachFile());

    testing::WriteBytes(list,
                        "5BAA61E4C9B93F3F0682250B6CF8331B7EE68FD8:1\n0000000000000000000000000000000000000000:1\n");
    again.refresh();
    EXPECT_EQ(
        u"1 passcards, 1 passwords: no findings; breach file not used: the breach file is not sorted by hash "
        u"at byte 43",
        again.summary());
}

}  // namespace
}  // namespace tarnwick
